#include "forms/preferences/frmPreferences.h"

#include <initializer_list>
#include <optional>
#include <utility>

#include "forms/Language.h"
#include "forms/password/CheckPWD.h"
#include "forms/password/frmSetPWD.h"
#include "password/PasswordFile.h"
#include "platform/Dialogs.h"
#include "profile/IniInOut.h"
#include "program/ErrorCheck.h"
#include "program/ManagedSettings.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"
#include "program/SettingsFile.h"

namespace velkor {

frmPreferences::frmPreferences(Uses uses) : Form("frmPreferences", "Preferences"), use_(uses) {
    ui::FormStyle style = ui::kDialogBox;
    style.showInTaskbar = true;  // it is opened from the menu and stays for the whole run
    setStyle(style);
    setClientSize(4800, 3600);
    placeInTabOrder({
        {chkLockAll, {240, 240, 4300, 255}},
        {chkSaveState, {240, 540, 4300, 255}},
        {chkMinimizeToTray, {240, 840, 4300, 255}},
        {frmPrefLaunch, {120, 1140, 4560, 1020}},
        {chkPassword, {240, 1380, 2400, 255}},
        {cmdSetPWD, {2880, 1320, 1560, 375}},
        {chkResume, {240, 1740, 4300, 255}},
        {frmLanguage, {120, 2280, 2160, 720}},
        {optEnglish, {240, 2520, 900, 255}},
        {optGerman, {1200, 2520, 960, 255}},
        {frmUpdate, {2400, 2280, 2280, 720}},
        {cmdCheckUpdate, {2520, 2520, 2040, 375}},
        {lblManaged, {120, 3060, 3240, 480}},
        {cmdApply, {3480, 3120, 1200, 375}},
    });
    cmdSetPWD.setEnabled(false);
    lblManaged.setVisible(false);
    cmdApply.setDefault(true);  // Enter applies
    optEnglish.onClick = [this] {
        optEnglish_Click();
    };
    optGerman.onClick = [this] {
        optGerman_Click();
    };
    chkSaveState.onClick = [this] {
        chkSaveState_Click();
    };
    cmdApply.onClick = [this] {
        cmdApply_Click();
    };
    chkPassword.onClick = [this] {
        chkPassword_Click();
    };
    cmdSetPWD.onClick = [this] {
        cmdSetPWD_Click();
    };
    cmdCheckUpdate.onClick = [this] {
        cmdCheckUpdate_Click();
    };
}

void frmPreferences::Form_Load() {
    Guarded(use_.dialogs, "frmPreferences.Form_Load()", [&] {
        strIniFile = SettingsFile(use_.files);
        const std::optional<int16_t> language = StoredLanguage(use_.ini, strIniFile);
        if (!language) {
            use_.dialogs.Show(
                {"INI-File not found", std::string(program::kTitle), Buttons::Ok, Icon::None});
            return;
        }
        if (use_.managed.settings()) {
            ShowStoredLanguage();  // nothing is written back
            return;
        }
        if (*language == 1) {
            optGerman.select();
        } else {
            optEnglish.select();  // any other number is rewritten as English
        }
    });
}

void frmPreferences::optEnglish_Click() {
    ChooseLanguage(0, "optEnglish_Click()");
}

void frmPreferences::optGerman_Click() {
    ChooseLanguage(1, "optGerman_Click()");
}

void frmPreferences::ChooseLanguage(int16_t language, const char* procName) {
    if (showingStoredLanguage_) return;
    if (use_.managed.settings()) {
        ShowStoredLanguage();
        return;
    }
    const bool written = Guarded(use_.dialogs, procName, [&] {
        use_.ini.WriteIni(strIniFile, "Language", "Language", std::to_string(language));
    });
    if (!written) {
        ShowStoredLanguage();
        return;
    }
    use_.captions.LoadLanguage(strIniFile);
}

void frmPreferences::ShowStoredLanguage() {
    const std::optional<int16_t> stored = StoredLanguage(use_.ini, strIniFile);
    showingStoredLanguage_ = true;  // selecting it is no choice of the user's
    if (!stored) {
        optEnglish.clear();
        optGerman.clear();
    } else if (*stored == 1) {
        optGerman.select();
    } else {
        optEnglish.select();
    }
    showingStoredLanguage_ = false;
}

void frmPreferences::chkSaveState_Click() {
    chkLockAll.setEnabled(!use_.managed.settings() && chkSaveState.value() != 1);
}

void frmPreferences::ShowManagedMode() {
    const bool settingsStored = !use_.managed.settings();
    for (ui::Control* option : std::initializer_list<ui::Control*>{
             &chkSaveState, &chkMinimizeToTray, &chkResume, &optEnglish, &optGerman}) {
        option->setEnabled(settingsStored);
    }
    chkSaveState_Click();  // chkLockAll
    const bool passwordStored = !use_.managed.password();
    chkPassword.setEnabled(passwordStored);
    cmdSetPWD.setEnabled(passwordStored && chkPassword.value() == 1);
    lblManaged.setVisible(!settingsStored || !passwordStored);
}

void frmPreferences::cmdApply_Click() {
    if (use_.managed.settings()) {
        hide();
        return;
    }
    Guarded(use_.dialogs, "cmdApply_Click()", [&] {
        const std::pair<const char*, const ui::CheckBox*> options[] = {
            {"Minimize", &chkMinimizeToTray},
            {"UseLastState", &chkSaveState},
            {"DeviceAll", &chkLockAll},
            {"Standby", &chkResume},
        };
        for (const auto& [key, box] : options) {
            use_.ini.WriteIni(strIniFile, "Default", key, box->value() == 1 ? "1" : "0");
        }
        hide();
    });
}

void frmPreferences::chkPassword_Click() {
    Guarded(use_.dialogs, "chkPassword_Click()", [&] {
        PasswordFile& file = use_.passwordFile;
        const bool stored = file.Protects();
        if (chkPassword.value() == 1) {
            cmdSetPWD.setEnabled(true);
            if (!stored) ui::OpenAfresh(use_.setPassword);  // protection needs a password first
            return;
        }
        if (stored) {
            bool confirmed = false;
            // Removing the password is an action of its own: it waits for no other one's prompt.
            std::optional<RuntimeError> error =
                Attempt([&] { use_.session.RunAction([&] { confirmed = use_.password.Ask(); }); });
            if (error) throw *error;  // reported by this handler's guard
            if (use_.session.ended()) return;
            if (chkPassword.value() == 1) return;  // ticked again meanwhile: it stays on
            if (!confirmed) {
                cmdSetPWD.setEnabled(true);
                chkPassword.setValue(1);  // runs this handler again, which finds the password
                return;
            }
        }
        std::optional<RuntimeError> failed = Attempt([&] { file.Remove(); });
        if (failed && stored) {
            // The password is still there: protection stays on, and the user is told.
            cmdSetPWD.setEnabled(true);
            chkPassword.setValue(1);
            ReportError(use_.dialogs, failed->number(), failed->description(),
                        "chkPassword_Click()");
            return;
        }
        // With no password stored there was nothing to remove: a failed write changes nothing.
        cmdSetPWD.setEnabled(false);
    });
}

void frmPreferences::cmdSetPWD_Click() {
    ui::OpenAfresh(use_.setPassword);
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
    const std::string settings = SettingsFile(use_.files);
    const std::string server = UpdateServer(use_.ini, settings);
    Dialogs& dialogs = use_.dialogs;
    const std::optional<HttpTarget> target = ParseServer(server);
    if (!target) {
        const bool german = use_.session.GermanTexts();
        dialogs.Show(FailureMessage(german, Say(Msg::NotAServer, german, {server})));
        return UpdateCheck::Failed;
    }
    const std::optional<HttpResult> fetched = GetURLContent(
        use_.http, use_.loop, [this] { return use_.session.ended(); }, *target,
        use_.session.GermanTexts());
    if (!fetched) return UpdateCheck::Failed;  // the program ended meanwhile: nobody to tell
    const HttpResult& answer = *fetched;
    if (answer.kind == HttpResult::Kind::TimedOut) {
        // Named by the host it waited for: the product's own unless a mirror is set.
        dialogs.Show({"Timeout during connection to '" + server + "'", std::string(program::kTitle),
                      Buttons::Ok, Icon::None});
        return UpdateCheck::Failed;
    }
    const bool german = use_.session.GermanTexts();
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
    const std::string running = Say(Msg::Checking, use_.session.GermanTexts());
    checking_ = true;
    cmdCheckUpdate.setEnabled(false);
    cmdCheckUpdate.setCaption(running);
    UpdateCheck outcome = UpdateCheck::Failed;
    Guarded(use_.dialogs, "cmdCheckUpdate_Click()", [&] { outcome = CheckForUpdates(); });
    checking_ = false;
    if (use_.session.ended()) return;
    cmdCheckUpdate.setEnabled(true);
    if (cmdCheckUpdate.caption() == running) cmdCheckUpdate.setCaption(caption);
    if (outcome != UpdateCheck::NoNewer) return;
    Guarded(use_.dialogs, "cmdCheckUpdate_Click()", [&] {
        const bool german = use_.session.GermanTexts();
        use_.dialogs.Show({Say(Msg::NoUpdates, german), Say(Msg::NoUpdatesTitle, german),
                           Buttons::Ok, Icon::Information});
    });
}

}  // namespace velkor
