#include "settings/frmPreferences.h"

#include "app/App.h"
#include "app/ErrorCheck.h"
#include "password/CheckPWD.h"

namespace velkor {

frmPreferences::frmPreferences(App& app) : Form("frmPreferences", "Preferences"), app_(app) {
    setClientSize(4800, 3600);
    struct Place {
        ui::Control& control;
        ui::Bounds bounds;
    };
    const Place layout[] = {
        {chkLockAll, {240, 240, 4300, 255}},        {chkSaveState, {240, 540, 4300, 255}},
        {chkMinimizeToTray, {240, 840, 4300, 255}}, {frmPrefLaunch, {120, 1140, 4560, 1020}},
        {chkPassword, {240, 1380, 2400, 255}},      {cmdSetPWD, {2880, 1320, 1560, 375}},
        {chkResume, {240, 1740, 4300, 255}},        {frmLanguage, {120, 2280, 2160, 720}},
        {optEnglish, {240, 2520, 900, 255}},        {optGerman, {1200, 2520, 960, 255}},
        {frmUpdate, {2400, 2280, 2280, 720}},       {cmdCheckUpdate, {2520, 2520, 2040, 375}},
        {cmdApply, {3480, 3120, 1200, 375}},
    };
    int tab = 0;
    for (const Place& place : layout) {
        place.control.setBounds(place.bounds);
        place.control.setTabIndex(tab++);
        adopt(place.control);
    }
    cmdSetPWD.setEnabled(false);
    chkPassword.onClick = [this] {
        chkPassword_Click();
    };
    cmdSetPWD.onClick = [this] {
        cmdSetPWD_Click();
    };
}

void frmPreferences::chkPassword_Click() {
    Guarded(app_.ports.dialogs, "chkPassword_Click()", [&] {
        PasswordFile& file = app_.passwordFile;
        const bool stored = file.IsSet();
        if (chkPassword.value() == 1) {
            cmdSetPWD.setEnabled(true);
            if (!stored) app_.setPassword->show();  // protection needs a password first
            return;
        }
        if (stored) {
            bool confirmed = false;
            ++removalsPending_;
            std::optional<RuntimeError> error = Attempt([&] { confirmed = AskPassword(app_); });
            --removalsPending_;
            if (error) throw *error;               // reported by this handler's guard
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
    app_.setPassword->show();
}

}  // namespace velkor
