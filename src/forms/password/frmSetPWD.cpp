#include "forms/password/frmSetPWD.h"

#include "forms/Language.h"
#include "forms/password/CheckPWD.h"
#include "forms/preferences/frmPreferences.h"
#include "password/PasswordFile.h"
#include "platform/Dialogs.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"

namespace velkor {

frmSetPWD::frmSetPWD(Uses uses) : Form("frmSetPWD", "Set Password"), use_(uses) {
    ui::FormStyle style = ui::kDialogBox;
    style.backColor = ui::SystemColor::Menu;
    setStyle(style);
    setClientSize(3990, 2055);
    // Each label right before its box: a label's access key moves the focus to the control
    // after it. The labels take no focus, so Tab still goes old, new, repeated, OK, Cancel.
    placeInTabOrder({
        {lblPasswordOld, {105, 120, 1680, 270}},
        {txtPasswordOld, {1800, 120, 2055, 285}},
        {lblPasswordNew, {105, 600, 1680, 270}},
        {txtPasswordNew, {1800, 600, 2055, 285}},
        {lblPasswordNew2, {120, 960, 1680, 270}},
        {txtPasswordNew2, {1800, 960, 2055, 285}},
        {cmdOK, {720, 1560, 1140, 390}},
        {cmdCancel, {2160, 1560, 1140, 390}},
    });
    for (ui::TextBox* box : {&txtPasswordOld, &txtPasswordNew, &txtPasswordNew2}) {
        box->setPasswordChar("*");
    }
    txtPasswordOld.setEnabled(false);  // until a stored password is to be confirmed
    txtPasswordOld.setBackColor(ui::SystemColor::Menu);
    ui::SetOkCancel(
        cmdOK, [this] { cmdOK_Click(); }, cmdCancel, [this] { cmdCancel_Click(); });
}

void frmSetPWD::Form_Load() {
    use_.captions.Load(*this);  // in the language of this opening
    // A file that cannot be read might hold a password: the old one is asked for all the same.
    const StoredPassword stored = use_.passwordFile.Read();
    OldPWD = stored.password;
    PWDExists = stored.protects();
    if (PWDExists) {
        txtPasswordOld.setEnabled(true);
        // An enabled box looks like every other enabled box (the caption-text colour it once had
        // is black on today's systems, as black as the "*" drawn on it).
        txtPasswordOld.setBackColor(ui::SystemColor::Window);
        FocusOn(txtPasswordOld, false);
    } else {
        FocusOn(txtPasswordNew, false);
    }
}

void frmSetPWD::cmdOK_Click() {
    Guarded(use_.dialogs, "cmdOK_Click()", [&] {
        // A password file that cannot be read might hold a password: no new one replaces it.
        const StoredPassword stored = use_.passwordFile.Read();
        if (RefusedForUnreadableFile(use_.passwordFile, stored, use_.dialogs,
                                     use_.session.GermanTexts())) {
            return;
        }
        if (PWDExists && OldPWD.empty()) OldPWD = stored.password;  // unreadable at the opening
        const std::string password = txtPasswordNew.text();
        if (PWDExists && txtPasswordOld.text() != OldPWD) {  // exact, case and all
            Refuse(Msg::InvalidPassword, txtPasswordOld, true);
            return;
        }
        if (password.empty()) {
            Refuse(Msg::NoPasswordGiven, txtPasswordNew, false);
            return;
        }
        if (txtPasswordNew2.text() != password) {
            Refuse(Msg::InvalidPassword, txtPasswordNew2, true);
            return;
        }
        // A password that would not read back as typed would lock its owner out.
        if (!use_.passwordFile.CanStore(password)) {
            Refuse(Msg::CannotStorePassword, txtPasswordNew, true);
            return;
        }
        use_.passwordFile.Store(password);  // a failed write is reported; the dialog stays open
        PWDExists = true;
        // The switch follows the file, should it have been cleared while the dialog was open.
        use_.preferences->chkPassword.setValue(1);
        unload();
    });
}

void frmSetPWD::cmdCancel_Click() {
    Guarded(use_.dialogs, "cmdCancel_Click()", [&] {
        // The preferences dialog is brought in line with the file. Clearing its switch runs
        // its click handler, which finds no password and disables cmdSetPWD again.
        frmPreferences& preferences = *use_.preferences;
        const bool stored = use_.passwordFile.Protects();
        preferences.chkPassword.setValue(stored ? 1 : 0);
        preferences.cmdSetPWD.setEnabled(stored);
        unload();
    });
}

void frmSetPWD::Form_Unload(int& cancel) {
    cancel = 0;
    OldPWD.clear();
    txtPasswordOld.setText("");
    txtPasswordNew.setText("");
    txtPasswordNew2.setText("");
}

void frmSetPWD::FocusOn(ui::TextBox& box, bool selectAll) {
    for (ui::TextBox* other : {&txtPasswordOld, &txtPasswordNew, &txtPasswordNew2}) {
        if (other != &box) other->loseFocus();
    }
    box.setFocus();
    // Set afresh: the window does not tell the model when the user moves the selection.
    box.setSelection(0, 0);
    if (selectAll) box.selectAll();
}

void frmSetPWD::Refuse(Msg text, ui::TextBox& box, bool selectAll) {
    use_.dialogs.Show({Say(text, use_.session.GermanTexts()), std::string(program::kTitle),
                       Buttons::Ok, Icon::None});
    FocusOn(box, selectAll);
}

}  // namespace velkor
