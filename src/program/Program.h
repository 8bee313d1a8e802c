#pragma once
// Facts about the program that several parts show.
#include <string_view>

namespace velkor::program {

inline constexpr std::string_view kTitle = "Velkor";
inline constexpr int kVersionMajor = 0;
inline constexpr int kVersionMinor = 6;
inline constexpr int kVersionRevision = 1;
inline constexpr std::string_view kVersionText = "0.6.1";
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
