#include "settings/AutoUpdate.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "app/App.h"
#include "app/ErrorCheck.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/SettingsFile.h"
#include "app/WaitWithEvents.h"
#include "platform/Convert.h"
#include "settings/frmPreferences.h"

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

std::optional<HttpResult> GetURLContent(App& app, HttpTarget target, bool german) {
    EventLoop& loop = app.ports.loop;
    const uint32_t start = loop.TickCount();
    for (int redirects = 0;; ++redirects) {
        const uint32_t used = loop.TickCount() - start;
        if (used >= kUpdateCheckLimitMs) return HttpResult{HttpResult::Kind::TimedOut};
        std::unique_ptr<HttpRequest> request = app.ports.http.Get(
            target, kUpdateTimeoutMs, kUpdateCheckLimitMs - used, kVersionFileCap);
        std::optional<HttpResult> result;
        // Looked at every tenth of a second; the program's windows work in between.
        while (!(result = request->Poll())) {
            if (app.ended()) return std::nullopt;
            const uint32_t elapsed = loop.TickCount() - start;
            if (elapsed >= kUpdateCheckLimitMs) return HttpResult{HttpResult::Kind::TimedOut};
            WaitWithEvents(
                loop, static_cast<int32_t>(std::min<uint32_t>(100, kUpdateCheckLimitMs - elapsed)));
        }
        if (app.ended()) return std::nullopt;
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

namespace {

std::string RunningVersionText() {
    return std::to_string(program::kVersionMajor) + "." + std::to_string(program::kVersionMinor) +
           "." + std::to_string(program::kVersionRevision);
}

// A check that could not be made is never reported as "no updates".
MessageBoxRequest FailureMessage(bool german, const std::string& reason) {
    return {Say(Msg::CheckFailed, german, {reason}), Say(Msg::CheckFailedTitle, german),
            Buttons::Ok, Icon::Information};
}

}  // namespace

UpdateCheck frmPreferences::CheckForUpdates() {
    const std::string settings = SettingsFile(app_.ports.files);
    const std::string server = UpdateServer(app_.ini, settings);
    Dialogs& dialogs = app_.ports.dialogs;
    const std::optional<HttpTarget> target = ParseServer(server);
    if (!target) {
        const bool german = app_.GermanTexts();
        dialogs.Show(FailureMessage(german, Say(Msg::NotAServer, german, {server})));
        return UpdateCheck::Failed;
    }
    const std::optional<HttpResult> fetched = GetURLContent(app_, *target, app_.GermanTexts());
    if (!fetched) return UpdateCheck::Failed;  // the program ended meanwhile: nobody to tell
    const HttpResult& answer = *fetched;
    if (answer.kind == HttpResult::Kind::TimedOut) {
        // Named by the host it waited for: the product's own unless a mirror is set.
        dialogs.Show({"Timeout during connection to '" + server + "'", std::string(program::kTitle),
                      Buttons::Ok, Icon::None});
        return UpdateCheck::Failed;
    }
    const bool german = app_.GermanTexts();
    const std::string notAVersion = Say(Msg::NotAVersion, german);
    std::string reason;
    if (answer.kind == HttpResult::Kind::Failed) {
        reason = answer.reason.empty()
                     ? Say(Msg::ErrorNumber, german, {std::to_string(answer.error)})
                     : answer.reason;
    } else if (answer.status != 200) {
        reason = Say(Msg::HttpStatus, german, {std::to_string(answer.status)});
    } else if (answer.tooLong) {
        reason = notAVersion;
    } else {
        const VersionFile latest = ParseVersionFile(answer.body);
        if (latest.kind != VersionFile::Kind::Number) {
            reason = notAVersion;
        } else if (RunningVersionNumber() < latest.number) {
            dialogs.Show({Say(Msg::NewerVersion, german,
                              {RunningVersionText(), std::string(program::kWebSiteHost)}),
                          "Update Information", Buttons::Ok, Icon::Information});
            return UpdateCheck::NewerAnnounced;
        } else {
            return UpdateCheck::NoNewer;
        }
    }
    dialogs.Show(FailureMessage(german, reason));
    return UpdateCheck::Failed;
}

void frmPreferences::cmdCheckUpdate_Click() {
    if (checking_) return;  // one check at a time
    // The button says that a check runs, and takes no second one, until it has ended.
    const std::string caption = cmdCheckUpdate.caption();
    const std::string running = Say(Msg::Checking, app_.GermanTexts());
    checking_ = true;
    cmdCheckUpdate.setEnabled(false);
    cmdCheckUpdate.setCaption(running);
    UpdateCheck outcome = UpdateCheck::Failed;
    Guarded(app_.ports.dialogs, "cmdCheckUpdate_Click()", [&] { outcome = CheckForUpdates(); });
    checking_ = false;
    if (app_.ended()) return;
    cmdCheckUpdate.setEnabled(true);
    if (cmdCheckUpdate.caption() == running) cmdCheckUpdate.setCaption(caption);
    if (outcome != UpdateCheck::NoNewer) return;
    Guarded(app_.ports.dialogs, "cmdCheckUpdate_Click()", [&] {
        const bool german = app_.GermanTexts();
        app_.ports.dialogs.Show({Say(Msg::NoUpdates, german), Say(Msg::NoUpdatesTitle, german),
                                 Buttons::Ok, Icon::Information});
    });
}

}  // namespace velkor
