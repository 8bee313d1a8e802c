#include "settings/AutoUpdate.h"

#include <string>

#include "app/App.h"
#include "app/ErrorCheck.h"
#include "app/Program.h"
#include "platform/Convert.h"
#include "settings/frmPreferences.h"

namespace velkor {

std::string UpdateServer(const IniInOut& ini, std::string_view settingsFile) {
    std::string server = ini.ReadIni(settingsFile, "Update", "Server");
    const size_t first = server.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string(program::kUpdateServer);
    return server.substr(first, server.find_last_not_of(" \t") + 1 - first);
}

HttpResult GetURLContent(Http& http, const std::string& server) {
    return http.Get(server, std::string(kVersionFilePath), kUpdateTimeoutMs, kVersionFileCap);
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

MessageBoxRequest NewerVersionMessage(bool german) {
    const std::string site(program::kWebSiteHost);
    std::string text = german ? "Sie verwenden Version " : "You are currently using version ";
    text += RunningVersionText() + "\r\n";
    text += german
                ? "Es steht allerdings eine neuere Version des Programmes zur Verf\xC3\xBCgung..."
                : "There is a newer version of the program available...";
    text += "\r\n\r\n";
    text += german ? "Besuchen sie daher '" + site + "' um die aktuelle Version herunterzuladen."
                   : "Please go to '" + site + "' to download the latest version.";
    return {text, "Update Information", Buttons::Ok, Icon::Information};
}

const char* NoUpdatesTitle(bool german) {
    return german ? "Updates" : "Nothing to update";
}

// A check that could not be made is never reported as "no updates".
MessageBoxRequest FailureMessage(bool german, const std::string& reason) {
    return {(german ? "Die Suche nach Updates ist fehlgeschlagen: " : "The update check failed: ") +
                reason,
            NoUpdatesTitle(german), Buttons::Ok, Icon::Information};
}

}  // namespace

UpdateCheck frmPreferences::CheckForUpdates() {
    const std::string settings =
        app_.ports.files.ProgramFolder() + "\\" + std::string(program::kSettingsFileName);
    const std::string server = UpdateServer(app_.ini, settings);
    const HttpResult answer = GetURLContent(app_.ports.http, server);
    Dialogs& dialogs = app_.ports.dialogs;
    if (answer.kind == HttpResult::Kind::TimedOut) {
        // Named by the host it waited for: the product's own unless a mirror is set.
        dialogs.Show({"Timeout during connection to '" + server + "'", std::string(program::kTitle),
                      Buttons::Ok, Icon::None});
        return UpdateCheck::Failed;
    }
    const bool german = app_.GermanTexts();
    const char* notAVersion =
        german ? "die Antwort war keine Versionsnummer" : "the answer was not a version number";
    std::string reason;
    if (answer.kind == HttpResult::Kind::Failed) {
        reason = answer.reason.empty()
                     ? (german ? "Fehler " : "error ") + std::to_string(answer.error)
                     : answer.reason;
    } else if (answer.status != 200) {
        reason = (german ? "HTTP-Status " : "HTTP status ") + std::to_string(answer.status);
    } else if (answer.tooLong) {
        reason = notAVersion;
    } else {
        const VersionFile latest = ParseVersionFile(answer.body);
        if (latest.kind != VersionFile::Kind::Number) {
            reason = notAVersion;
        } else if (RunningVersionNumber() < latest.number) {
            dialogs.Show(NewerVersionMessage(german));
            return UpdateCheck::NewerAnnounced;
        } else {
            return UpdateCheck::NoNewer;
        }
    }
    dialogs.Show(FailureMessage(german, reason));
    return UpdateCheck::Failed;
}

void frmPreferences::cmdCheckUpdate_Click() {
    Guarded(app_.ports.dialogs, "cmdCheckUpdate_Click()", [&] {
        if (CheckForUpdates() != UpdateCheck::NoNewer) return;
        const bool german = app_.GermanTexts();
        app_.ports.dialogs.Show(
            {german ? "Zur Zeit ist keine aktuellere Version des Programmes verf\xC3\xBCgbar."
                    : "There are no updates to the program at this time.",
             NoUpdatesTitle(german), Buttons::Ok, Icon::Information});
    });
}

}  // namespace velkor
