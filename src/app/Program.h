#pragma once
// Facts about the program that several parts show.
#include <string_view>

namespace velkor::program {

inline constexpr std::string_view kTitle = "Velkor";
inline constexpr int kVersionMajor = 0;
inline constexpr int kVersionMinor = 6;
inline constexpr int kVersionRevision = 1;
inline constexpr std::string_view kVersionText = "0.6.1";
inline constexpr std::string_view kSupportEmail = "support@velkor.example.org";
inline constexpr std::string_view kSettingsFileName = "Velkor.ini";

}  // namespace velkor::program
