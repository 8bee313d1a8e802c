#include "forms/password/frmCheckPWD.h"

#include "app/App.h"
#include "forms/Language.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"

namespace velkor {

frmCheckPWD::frmCheckPWD(App& app) : Form("frmCheckPWD", "Password required"), app_(app) {
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
    cmdOK.setDefault(true);
    cmdCancel.setCancel(true);
    cmdOK.onClick = [this] {
        cmdOK_Click();
    };
    cmdCancel.onClick = [this] {
        cmdCancel_Click();
    };
}

void frmCheckPWD::Form_Load() {
    LoadCaptions(app_, *this);  // in the language of this opening
    txtPassword.setText("");
    lblPWD.setCaption(Say(Msg::PromptExplanation, app_.GermanTexts()));
    txtPassword.setFocus();
}

void frmCheckPWD::cmdOK_Click() {
    Guarded(app_.ports.dialogs, "cmdOK_Click()", [&] {
        if (txtPassword.text() != app_.passwordFile.Password()) {  // exact, case and all
            app_.ports.dialogs.Show({Say(Msg::InvalidPassword, app_.GermanTexts()),
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
    Guarded(app_.ports.dialogs, "cmdCancel_Click()", [&] { Answer(false); });
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
