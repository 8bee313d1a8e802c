#pragma once
// The preferences dialog. Created hidden at its first use and kept to the end: its check boxes
// are the program's run-time store of the options.
#include <cstdint>
#include <string>

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/FormSlot.h"
#include "ui/OptionButton.h"
#include "update/UpdateCheck.h"

namespace velkor {

class Captions;
class Dialogs;
class EventLoop;
class Files;
class Http;
class IniInOut;
class ManagedSettings;
class PasswordCheck;
class PasswordFile;
class Session;
class frmSetPWD;

class frmPreferences : public ui::Form {
  public:
    struct Uses {
        Session& session;
        Dialogs& dialogs;
        Files& files;
        Http& http;
        EventLoop& loop;
        IniInOut& ini;
        PasswordFile& passwordFile;
        const ManagedSettings& managed;  // which files the administrator has locked
        Captions& captions;
        PasswordCheck& password;  // asked before the password is removed
        ui::FormSlot<frmSetPWD>& setPassword;
    };
    explicit frmPreferences(Uses uses);

    ui::Frame frmUpdate{"frmUpdate", "Updates"};
    ui::CommandButton cmdCheckUpdate{"cmdCheckUpdate", "Check now..."};
    ui::Frame frmLanguage{"frmLanguage", "Language"};
    ui::OptionGroup languages;
    ui::OptionButton optGerman{languages, "optGerman", "Deutsch"};
    ui::OptionButton optEnglish{languages, "optEnglish", "English"};
    ui::CommandButton cmdApply{"cmdApply", "Apply"};
    ui::CheckBox chkLockAll{"chkLockAll", "lock all drives at startup"};
    ui::CheckBox chkMinimizeToTray{"chkMinimizeToTray", "mimimize to tray at startup"};
    ui::CheckBox chkSaveState{"chkSaveState", "use last drive state at startup"};
    ui::Frame frmPrefLaunch{"frmPrefLaunch"};
    ui::CommandButton cmdSetPWD{"cmdSetPWD", "Set Password"};
    ui::CheckBox chkPassword{"chkPassword", "Password protection"};
    ui::CheckBox chkResume{"chkResume", "save drive status at standby/hibernate"};
    // Shown while an administrator has locked the settings or the password.
    ui::Label lblManaged{"lblManaged", "The settings are managed by your administrator."};

    std::string strIniFile;  // the settings file, set at load

    // Selects the stored language, which writes it back and loads every caption (only shows it
    // when the settings are managed).
    void Form_Load() override;
    // Shows what can be changed: while the settings file is locked, the start-up options and the
    // language are shown as they are, disabled; while the password file is, the password switch
    // and Set password. A line says why.
    void ShowManagedMode();
    // The language is stored at once and every caption of every window follows it. A write that
    // fails is reported, and the options go back to the language really stored.
    void optEnglish_Click();
    void optGerman_Click();
    // Restoring each drive's last state and locking all drives at start-up exclude each other.
    void chkSaveState_Click();
    // Stores the four start-up options (nothing when the settings are managed), then hides the
    // dialog.
    void cmdApply_Click();
    // Closing the window (close box, Alt+F4) hides it without storing anything: the dialog
    // lives to the end, its boxes being the program's live store of the options.
    void CloseCommand() override { hide(); }

    // Password protection on or off: on with no password stored asks for one; off with one
    // stored asks for it and only then removes it.
    void chkPassword_Click();
    void cmdSetPWD_Click();
    // "Check now...": asks the update server (frmPreferences.cpp).
    UpdateCheck CheckForUpdates();
    void cmdCheckUpdate_Click();

    // Whether unlock, open and close ask for the password: while the switch is ticked. Clearing
    // it is an action of its own, so no other one runs while its prompt waits with the box
    // already shown cleared.
    bool PasswordProtectionOn() const { return chkPassword.value() == 1; }

  private:
    void ChooseLanguage(int16_t language, const char* procName);
    void ShowStoredLanguage();

    Uses use_;
    bool checking_ = false;  // an update check runs
    bool showingStoredLanguage_ = false;
};

}  // namespace velkor
