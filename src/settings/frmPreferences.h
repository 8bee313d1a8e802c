#pragma once
// The preferences dialog. Created hidden at its first use and kept to the end: its check boxes
// are the program's run-time store of the options.
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/OptionButton.h"

namespace velkor {

class frmPreferences : public ui::Form {
  public:
    frmPreferences();

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

    void chkPassword_Click();
};

}  // namespace velkor
