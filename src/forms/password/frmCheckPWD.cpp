#include "forms/password/frmCheckPWD.h"

#include "forms/Language.h"
#include "password/PasswordFile.h"
#include "platform/Dialogs.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"

namespace velkor {

frmCheckPWD::frmCheckPWD(Uses uses) : Form("frmCheckPWD", "Password required"), use_(uses) {
    ui::FormStyle style = ui::kDialogBox;
    style.controlBox = false;  // no system menu, no close box
    setStyle(style);
    setClientSize(3750, 2205);
    // The label right before its box: its access key moves the focus to the control after it.
    placeInTabOrder({
        {lblPassword, {120, 960, 1080, 270}},
        {txtPassword, {1320, 960, 2175, 285}},
        {cmdOK, {495, 1680, 1140, 390}},
        {cmdCancel, {2040, 1680, 1140, 390}},
        {lblPWD, {120, 120, 3495, 615}},
    });
    txtPassword.setPasswordChar("*");
    ui::SetOkCancel(
        cmdOK, [this] { cmdOK_Click(); }, cmdCancel, [this] { cmdCancel_Click(); });
}

void frmCheckPWD::Form_Load() {
    use_.captions.Load(*this);  // in the language of this opening
    txtPassword.setText("");
    lblPWD.setCaption(Say(Msg::PromptExplanation, use_.session.GermanTexts()));
    txtPassword.setFocus();
}

void frmCheckPWD::cmdOK_Click() {
    Guarded(use_.dialogs, "cmdOK_Click()", [&] {
        // Read again: the file may have become unreadable since the prompt opened, and then no
        // answer matches it.
        const StoredPassword stored = use_.passwordFile.Read();
        if (RefusedForUnreadableFile(use_.passwordFile, stored, use_.dialogs,
                                     use_.session.GermanTexts())) {
            Answer(false);
            return;
        }
        if (txtPassword.text() != stored.password) {  // exact, case and all
            use_.dialogs.Show({Say(Msg::InvalidPassword, use_.session.GermanTexts()),
                               std::string(program::kTitle), Buttons::Ok, Icon::None});
            // The focus back in the box with its whole text selected, ready to be typed over.
            // The selection is set afresh: the window does not tell the model when the user
            // moves it.
            txtPassword.setFocus();
            txtPassword.setSelection(0, 0);
            txtPassword.selectAll();
            return;
        }
        Answer(true);
    });
}

void frmCheckPWD::cmdCancel_Click() {
    Guarded(use_.dialogs, "cmdCancel_Click()", [&] { Answer(false); });
}

void frmCheckPWD::Answer(bool succeeded) {
    if (request_ && !request_->answered) *request_ = {true, succeeded};
    unload();
}

void frmCheckPWD::Form_Unload(int& cancel) {
    cancel = 0;
    // Closed unanswered (with the program, say): nothing may run for its request.
    if (request_ && !request_->answered) *request_ = {true, false};
}

}  // namespace velkor
