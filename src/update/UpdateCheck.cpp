#include "update/UpdateCheck.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "platform/Convert.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/WaitWithEvents.h"

namespace velkor {

std::string UpdateServer(const IniInOut& ini, std::string_view settingsFile) {
    std::string server = ini.ReadIni(settingsFile, "Update", "Server");
    const size_t first = server.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string(program::kUpdateServer);
    return server.substr(first, server.find_last_not_of(" \t") + 1 - first);
}

namespace {

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool SameHost(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "host", "host:port", "[IPv6]" or "[IPv6]:port" into `target`.
bool ParseAuthority(std::string_view authority, HttpTarget& target) {
    std::string_view host = authority, port;
    if (authority.starts_with('[')) {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) return false;
        host = authority.substr(1, close - 1);
        std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':')) return false;
        if (!rest.empty()) port = rest.substr(1);
        if (host.empty() || host.find_first_not_of("0123456789abcdefABCDEF:.") != host.npos) {
            return false;
        }
        if (!rest.empty() && port.empty()) return false;
    } else {
        const size_t colon = authority.find(':');
        if (colon != std::string_view::npos) {
            if (authority.find(':', colon + 1) != std::string_view::npos) return false;  // IPv6?
            host = authority.substr(0, colon);
            port = authority.substr(colon + 1);
            if (port.empty()) return false;
        }
        if (host.empty() || host.find_first_of(" \t/\\@?#[]") != std::string_view::npos) {
            return false;
        }
    }
    target.host = std::string(host);
    if (port.empty()) return true;
    if (!IsDigits(port) || port.size() > 5) return false;
    const long number = std::stol(std::string(port));
    if (number < 1 || number > 65535) return false;
    target.port = static_cast<uint16_t>(number);
    return true;
}

}  // namespace

std::optional<HttpTarget> ParseServer(std::string_view server) {
    HttpTarget target;
    target.path = std::string(kVersionFilePath);
    if (!ParseAuthority(server, target)) return std::nullopt;
    return target;
}

std::optional<HttpTarget> RedirectTarget(const HttpTarget& from, std::string_view location) {
    location = location.substr(0, location.find('#'));
    HttpTarget next = from;
    for (auto [scheme, secure] : {std::pair{"http://", false}, std::pair{"https://", true}}) {
        const std::string_view prefix(scheme);
        if (location.size() < prefix.size() ||
            !SameHost(location.substr(0, prefix.size()), prefix)) {
            continue;
        }
        location.remove_prefix(prefix.size());
        const size_t slash = location.find('/');
        next.secure = secure;
        next.port = secure ? 443 : 80;
        if (!ParseAuthority(location.substr(0, slash), next)) return std::nullopt;
        next.path = slash == std::string_view::npos ? "/" : std::string(location.substr(slash));
        return next;
    }
    if (location.starts_with('/') && !location.starts_with("//")) {
        next.path = std::string(location);
        return next;
    }
    if (location.empty() || location.find(':') != std::string_view::npos) return std::nullopt;
    next.path = from.path.substr(0, from.path.rfind('/') + 1) + std::string(location);
    return next;
}

namespace {

HttpResult FailedBecause(std::string reason) {
    HttpResult result;
    result.kind = HttpResult::Kind::Failed;
    result.reason = std::move(reason);
    return result;
}

}  // namespace

std::optional<HttpResult> GetURLContent(Http& http, EventLoop& loop,
                                        const std::function<bool()>& ended, HttpTarget target,
                                        bool german) {
    const uint32_t start = loop.TickCount();
    for (int redirects = 0;; ++redirects) {
        const uint32_t used = loop.TickCount() - start;
        if (used >= kUpdateCheckLimitMs) return HttpResult{HttpResult::Kind::TimedOut};
        std::unique_ptr<HttpRequest> request =
            http.Get(target, kUpdateTimeoutMs, kUpdateCheckLimitMs - used, kVersionFileCap);
        std::optional<HttpResult> result;
        // Looked at every tenth of a second; the program's windows work in between.
        while (!(result = request->Poll())) {
            if (ended()) return std::nullopt;
            const uint32_t elapsed = loop.TickCount() - start;
            if (elapsed >= kUpdateCheckLimitMs) return HttpResult{HttpResult::Kind::TimedOut};
            WaitWithEvents(
                loop, static_cast<int32_t>(std::min<uint32_t>(100, kUpdateCheckLimitMs - elapsed)));
        }
        if (ended()) return std::nullopt;
        if (result->kind != HttpResult::Kind::Answered || result->status < 300 ||
            result->status > 399 || result->location.empty()) {
            return result;
        }
        const std::optional<HttpTarget> next = RedirectTarget(target, result->location);
        if (!next) {
            return FailedBecause(Say(Msg::RedirectUnusable, german, {result->location}));
        }
        if (!SameHost(next->host, target.host)) {
            return FailedBecause(Say(Msg::RedirectOtherHost, german, {next->host}));
        }
        if (redirects == kMaxRedirects) {
            return FailedBecause(Say(Msg::RedirectTooMany, german));
        }
        target = *next;
    }
}

VersionFile ParseVersionFile(std::string_view body) {
    if (body.empty() || body.find("HTML") != std::string_view::npos) return {};
    // Files written with an editor often end in a line break.
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.remove_suffix(1);
    VersionFile file{VersionFile::Kind::Number};
    if (Attempt([&] { file.number = ToInt32(body); })) return {VersionFile::Kind::NotANumber};
    return file;
}

int32_t RunningVersionNumber() {
    return ToInt32(std::to_string(program::kVersionMajor) + std::to_string(program::kVersionMinor) +
                   std::to_string(program::kVersionRevision));
}

}  // namespace velkor
