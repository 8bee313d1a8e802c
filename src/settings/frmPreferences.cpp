#include "settings/frmPreferences.h"

#include <optional>
#include <utility>

#include "app/App.h"
#include "app/ErrorCheck.h"
#include "app/Program.h"
#include "app/SettingsFile.h"
#include "password/CheckPWD.h"
#include "settings/Language.h"

namespace velkor {

frmPreferences::frmPreferences(App& app) : Form("frmPreferences", "Preferences"), app_(app) {
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
        {cmdApply, {3480, 3120, 1200, 375}},
    });
    cmdSetPWD.setEnabled(false);
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
    Guarded(app_.ports.dialogs, "frmPreferences.Form_Load()", [&] {
        strIniFile = SettingsFile(app_.ports.files);
        const std::optional<int16_t> language = StoredLanguage(app_.ini, strIniFile);
        if (!language) {
            app_.ports.dialogs.Show(
                {"INI-File not found", std::string(program::kTitle), Buttons::Ok, Icon::None});
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
    const bool written = Guarded(app_.ports.dialogs, procName, [&] {
        app_.ini.WriteIni(strIniFile, "Language", "Language", std::to_string(language));
    });
    if (!written) {
        ShowStoredLanguage();
        return;
    }
    LoadLanguage(app_, strIniFile);
}

void frmPreferences::ShowStoredLanguage() {
    const std::optional<int16_t> stored = StoredLanguage(app_.ini, strIniFile);
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
    chkLockAll.setEnabled(chkSaveState.value() != 1);
}

void frmPreferences::cmdApply_Click() {
    Guarded(app_.ports.dialogs, "cmdApply_Click()", [&] {
        const std::pair<const char*, const ui::CheckBox*> options[] = {
            {"Minimize", &chkMinimizeToTray},
            {"UseLastState", &chkSaveState},
            {"DeviceAll", &chkLockAll},
            {"Standby", &chkResume},
        };
        for (const auto& [key, box] : options) {
            app_.ini.WriteIni(strIniFile, "Default", key, box->value() == 1 ? "1" : "0");
        }
        hide();
    });
}

void frmPreferences::chkPassword_Click() {
    Guarded(app_.ports.dialogs, "chkPassword_Click()", [&] {
        PasswordFile& file = app_.passwordFile;
        const bool stored = file.Protects();
        if (chkPassword.value() == 1) {
            cmdSetPWD.setEnabled(true);
            if (!stored) OpenAfresh(app_.setPassword);  // protection needs a password first
            return;
        }
        if (stored) {
            bool confirmed = false;
            ++removalsPending_;
            // Removing the password is an action of its own: it waits for no other one's prompt.
            bool ran = false;
            std::optional<RuntimeError> error =
                Attempt([&] { ran = app_.actions.TryRun([&] { confirmed = AskPassword(app_); }); });
            --removalsPending_;
            if (error) throw *error;  // reported by this handler's guard
            if (app_.ended()) return;
            if (!ran) app_.RefuseWhileBusy();
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
            ReportError(app_.ports.dialogs, failed->number(), failed->description(),
                        "chkPassword_Click()");
            return;
        }
        // With no password stored there was nothing to remove: a failed write changes nothing.
        cmdSetPWD.setEnabled(false);
    });
}

void frmPreferences::cmdSetPWD_Click() {
    OpenAfresh(app_.setPassword);
}

}  // namespace velkor
