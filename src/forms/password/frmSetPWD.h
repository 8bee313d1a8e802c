#pragma once
// The set-password dialog: sets or changes the one password, asking for the stored one first.
// It can only write a non-empty password; the preferences dialog removes it.
#include <string>

#include "program/Messages.h"
#include "ui/CommandButton.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/FormSlot.h"
#include "ui/TextBox.h"

namespace velkor {

class Captions;
class Dialogs;
class PasswordFile;
class Session;
class frmPreferences;

class frmSetPWD : public ui::Form {
  public:
    struct Uses {
        Session& session;
        Dialogs& dialogs;
        PasswordFile& passwordFile;
        const Captions& captions;
        ui::FormSlot<frmPreferences>& preferences;  // its password switch follows the file
    };
    explicit frmSetPWD(Uses uses);

    ui::TextBox txtPasswordOld{"txtPasswordOld"};
    ui::TextBox txtPasswordNew{"txtPasswordNew"};
    ui::TextBox txtPasswordNew2{"txtPasswordNew2"};
    ui::CommandButton cmdOK{"cmdOK", "OK"};
    ui::CommandButton cmdCancel{"cmdCancel", "Cancel"};
    ui::Label lblPasswordOld{"lblPasswordOld", "Old Password:"};
    ui::Label lblPasswordNew{"lblPasswordNew", "New Password:"};
    ui::Label lblPasswordNew2{"lblPasswordNew2", "verify Password:"};

    bool PWDExists = false;  // a password was stored when the dialog opened, or has been written
    std::string OldPWD;      // the stored password; empty when none

    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void cmdOK_Click();
    void cmdCancel_Click();
    // Closing the window by the system (close box, Alt+F4, a close message) is Cancel.
    void CloseCommand() override { cmdCancel_Click(); }

  private:
    // Puts the focus into `box` (and nowhere else), with its whole text selected if asked.
    void FocusOn(ui::TextBox& box, bool selectAll);
    void Refuse(Msg text, ui::TextBox& box, bool selectAll);

    Uses use_;
};

}  // namespace velkor
