#pragma once
// Facts about the program that several parts show.
#include <string_view>
#include "program/Version.h"  // generated

namespace velkor::program {

inline constexpr std::string_view kTitle = "Velkor";
inline constexpr int kVersionMajor = VELKOR_VERSION_MAJOR;  // CMakeLists.txt's project version
inline constexpr int kVersionMinor = VELKOR_VERSION_MINOR;
inline constexpr int kVersionRevision = VELKOR_VERSION_REVISION;
inline constexpr std::string_view kVersionText = VELKOR_VERSION_TEXT;
// The "LegalCopyright" text of the exe's version resource, which the about box shows.
inline constexpr std::string_view kLegalCopyright = "Copyright (C) 2026 the Velkor developers";

// Where the product lives on the net. The update server can be another host: section "Update",
// key "Server" of the settings file.
inline constexpr std::string_view kWebSiteHost = "velkor.example.org";
inline constexpr std::string_view kWebSite = "https://velkor.example.org";
inline constexpr std::string_view kDonationPage = "https://velkor.example.org/Spende.html";
inline constexpr std::string_view kDonationService = "PayGrove";
inline constexpr std::string_view kUpdateServer = kWebSiteHost;
inline constexpr std::string_view kSupportEmail = "support@velkor.example.org";
static_assert(kWebSite.ends_with(kWebSiteHost) && kDonationPage.starts_with(kWebSite));
inline constexpr std::string_view kSettingsFileName = "Velkor.ini";
inline constexpr std::string_view kPasswordFileName = "password.txt";

}  // namespace velkor::program
