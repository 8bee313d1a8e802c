#pragma once
// The update check: one request for the version file on the update server, and what its
// answer says. The check runs only when the user asks for it in the preferences dialog.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/EventLoop.h"
#include "platform/Http.h"
#include "profile/IniInOut.h"

namespace velkor {

inline constexpr std::string_view kVersionFilePath = "/Velkor_CurrentVersion.txt";
inline constexpr uint32_t kUpdateTimeoutMs = 5000;      // for each of connect, send and receive
inline constexpr uint32_t kUpdateCheckLimitMs = 15000;  // the whole check, redirects and all
inline constexpr int kMaxRedirects = 5;
inline constexpr size_t kVersionFileCap = 4096;  // a longer body is not a version file

// The update server: section "Update", key "Server" of the settings file (a host, optionally
// with ":port"), or the product's own when that is empty.
std::string UpdateServer(const IniInOut& ini, std::string_view settingsFile);

// The server setting as an address: "host", "host:port", "[IPv6]" or "[IPv6]:port", the port
// 1 to 65535 (80 when not given). Nothing when the setting is none of these.
std::optional<HttpTarget> ParseServer(std::string_view server);

// Where a redirect from `from` sends the request (an http or https address, or a path on the
// same server); nothing when `location` is none of these.
std::optional<HttpTarget> RedirectTarget(const HttpTarget& from, std::string_view location);

// One GET of the version file, following redirects that stay on the same host, all within
// kUpdateCheckLimitMs. Every window works meanwhile. Nothing when the program ended during it;
// a redirect elsewhere is a failed result that says why.
std::optional<HttpResult> GetURLContent(Http& http, EventLoop& loop,
                                        const std::function<bool()>& ended, HttpTarget target,
                                        bool german);

// The body of the version file: the latest version's major, minor and revision numbers written
// one after another (0.6.2 is "062"), read as one 32-bit number; a line break may end it.
struct VersionFile {
    enum class Kind {
        Number,      // `number` holds it
        Ignored,     // empty, or a page containing "HTML": not read at all
        NotANumber,  // anything else that is not a 32-bit number
    } kind = Kind::Ignored;
    int32_t number = 0;
};
VersionFile ParseVersionFile(std::string_view body);

// The running version joined the same way: 0.6.1 gives "061", the number 61. A newer version
// exists when this is smaller than the version file's number.
int32_t RunningVersionNumber();

// How a check ended. Each outcome but NoNewer has told the user already.
enum class UpdateCheck { NewerAnnounced, NoNewer, Failed };

}  // namespace velkor
