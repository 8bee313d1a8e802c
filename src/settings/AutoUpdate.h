#pragma once
// The update check: one request for the version file on the update server, and what its
// answer says. The check runs only when the user asks for it in the preferences dialog.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Http.h"
#include "settings/IniInOut.h"

namespace velkor {

inline constexpr std::string_view kVersionFilePath = "/Velkor_CurrentVersion.txt";
inline constexpr uint32_t kUpdateTimeoutMs = 5000;  // for each of connect, send and receive
inline constexpr size_t kVersionFileCap = 4096;     // a longer body is not a version file

// The update server: section "Update", key "Server" of the settings file (a host, optionally
// with ":port"), or the product's own when that is empty.
std::string UpdateServer(const IniInOut& ini, std::string_view settingsFile);

// One GET of the version file on `server`, with bounded waits and a capped body.
HttpResult GetURLContent(Http& http, const std::string& server);

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
