// Shutdown: Exit from the menus, its question and final unlock, and what the main window's
// unload takes with it.
#include <functional>

#include "forms/about/frmAbout.h"
#include "forms/main/APIStuff.h"
#include "forms/main/frmVelkor.h"
#include "forms/password/frmCheckPWD.h"
#include "forms/password/frmSetPWD.h"
#include "forms/preferences/frmPreferences.h"
#include "platform/Dialogs.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Session.h"

namespace velkor {

void frmVelkor::mnuExit_Click() {
    RunAction("mnuExit_Click()", [&] {
        bool exit = false;
        Exit_Velkor(exit);
        if (exit) use_.session.End();
    });
}

void frmVelkor::mnuExit2_Click() {
    mnuExit_Click();
}

void frmVelkor::Exit_Velkor(bool& bExit) {
    // Each step runs even when the one before failed: an error is reported and the next step
    // goes on.
    Answer answer = Answer::Cancel;
    auto goOn = [&](const std::function<void()>& step) {
        if (auto error = Attempt(step); error && error->number() != err::kTypeMismatch) {
            ReportError(use_.dialogs, error->number(), error->description(), "Exit_Velkor()");
        }
    };
    const std::function<void()> steps[] = {
        [&] {
            const bool german = use_.session.GermanTexts();
            answer = use_.dialogs.Show({Say(Msg::ExitQuestion, german), Say(Msg::ExitTitle, german),
                                        Buttons::OkCancel, Icon::Question});
        },
    };
    for (const auto& step : steps) goOn(step);
    if (answer != Answer::Ok || use_.session.ended()) return;
    bool unlocked = false;

    const std::function<void()> shutdown[] = {
        [&] { blnRecordState = false; },  // the record keeps what the next start restores
        [&] { chkAll.setValue(1); },
        [&] { optUnlock.select(); },
        [&] { unlocked = RunRequest(); },
        [&] {
            // Refused only by the password gate; without protection or without an optical
            // drive nothing is asked.
            if (unlocked) {
                show();
                bExit = true;
            } else {
                blnRecordState = true;
                bExit = false;
            }
        },
    };
    for (const auto& step : shutdown) goOn(step);
}

void frmVelkor::Form_Unload(int& cancel) {
    cancel = 0;
    use_.trayIcon.RemoveTrayIcon();
    use_.about.unload();
    use_.checkPassword.unload();
    use_.setPassword.unload();
    use_.preferences.unload();
    if (powerProc_ != 0) removeWindowProc(powerProc_);
    powerProc_ = 0;
    if (deviceProc_ != 0) removeWindowProc(deviceProc_);
    deviceProc_ = 0;
    if (commandProc_ != 0) removeWindowProc(commandProc_);
    commandProc_ = 0;
    TimerDrives.setEnabled(false);
    TimerCommand.setEnabled(false);
}

}  // namespace velkor
