// The action dispatch: every lock, unlock, open and close goes through cmdDo_Click. The options,
// the all-drives switch and the tray menu entries only prepare its state.
#include <functional>

#include "forms/main/frmVelkor.h"
#include "forms/password/CheckPWD.h"
#include "forms/preferences/frmPreferences.h"
#include "password/PasswordFile.h"
#include "platform/Dialogs.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"

namespace velkor {

void frmVelkor::SelectAction(ui::OptionButton& option, Action action) {
    option.select();
    intAction = action;
}

void frmVelkor::optLock_Click() {
    SelectAction(optLock, Action::Lock);
}
void frmVelkor::optUnlock_Click() {
    SelectAction(optUnlock, Action::Unlock);
}
void frmVelkor::optOpen_Click() {
    SelectAction(optOpen, Action::Open);
}
void frmVelkor::optClose_Click() {
    SelectAction(optClose, Action::Close);
}

void frmVelkor::chkAll_Click() {
    Guarded(use_.dialogs, "chkAll_Click()", [&] { blnAllDrives = chkAll.value() == 1; });
}

void frmVelkor::cmdDo_Click() {
    RunAction("cmdDo_Click()", [&] { RunRequest(); });
}

void frmVelkor::RunAction(std::string_view procName, const std::function<void()>& action) {
    Guarded(use_.dialogs, procName, [&] {
        if (use_.session.ended()) return;
        use_.session.RunAction(action);
    });
}

bool frmVelkor::RunRequest() {
    bool ran = true;
    Guarded(use_.dialogs, "cmdDo_Click()", [&] {
        if (drives.count() == 0) return;  // no optical drive: nothing to act on
        if (optLock.selected()) {
            udtPMR.PreventMediaRemoval = 1;  // a lock never asks for the password
        } else {
            udtPMR.PreventMediaRemoval = 0;
            if (!blnSkipPassword && use_.preferences->PasswordProtectionOn()) {
                // The window's options and selection stay usable while the prompt waits; the
                // request that asked is the one that runs.
                const ActionRequest asked = CurrentRequest();
                const bool accepted = use_.password.Ask();
                if (use_.session.ended()) {
                    ran = false;
                    return;
                }
                RestoreRequest(asked);
                if (!accepted) {
                    ran = false;
                    if (use_.passwordFile.Unreadable()) return;  // the user has been told why
                    use_.dialogs.Show({Say(Msg::PasswordRequired, use_.session.GermanTexts()),
                                       std::string(program::kTitle), Buttons::Ok, Icon::None});
                    return;
                }
            }
        }
        switch (intAction) {
            case Action::Lock:
            case Action::Unlock:
                Velkor(static_cast<int16_t>(drives.count()), blnAllDrives);
                break;
            case Action::Open:
                OpenCD();
                break;
            case Action::Close:
                CloseCD();
                break;
            case Action::None:
                use_.dialogs.Show(
                    {"Action not defined.", std::string(program::kTitle), Buttons::Ok, Icon::None});
        }
    });
    return ran;
}

frmVelkor::ActionRequest frmVelkor::CurrentRequest() const {
    return {intAction, blnAllDrives, chkAll.value(), imgCboDrives.selectedIndex()};
}

void frmVelkor::RestoreRequest(const ActionRequest& request) {
    ui::OptionButton* const options[] = {&optLock, &optUnlock, &optOpen, &optClose};
    if (request.action != Action::None) {
        options[static_cast<int>(request.action) - 1]->select();
    }
    intAction = request.action;
    chkAll.setValue(request.chkAll);
    blnAllDrives = request.allDrives;
    if (request.entry > 0) imgCboDrives.select(request.entry);
    udtPMR.PreventMediaRemoval = 0;
}

void frmVelkor::TrayAllDrives(ui::OptionButton& option) {
    option.select();
    chkAll.setValue(1);
    chkAll_Click();  // blnAllDrives is True even when the box was ticked already
    RunRequest();
}

void frmVelkor::mnuLockAll_Click() {
    RunAction("mnuLockAll_Click()", [&] { TrayAllDrives(optLock); });
}
void frmVelkor::mnuUnlockAll_Click() {
    RunAction("mnuUnlockAll_Click()", [&] { TrayAllDrives(optUnlock); });
}
void frmVelkor::mnuOpenAll_Click() {
    RunAction("mnuOpenAll_Click()", [&] { TrayAllDrives(optOpen); });
}
void frmVelkor::mnuCloseAll_Click() {
    RunAction("mnuCloseAll_Click()", [&] { TrayAllDrives(optClose); });
}

void frmVelkor::TraySingleDrive(int16_t index, void (frmVelkor::*selectOption)()) {
    imgCboDrives.select(index);
    if (chkAll.value() == 1) {
        chkAll.setValue(0);
        chkAll_Click();
    }
    (this->*selectOption)();
    RunRequest();
}

void frmVelkor::mnuLockSub_Click(int16_t Index) {
    RunAction("mnuLockSub_Click()", [&] { TraySingleDrive(Index, &frmVelkor::optLock_Click); });
}
void frmVelkor::mnuUnlockSub_Click(int16_t Index) {
    RunAction("mnuUnlockSub_Click()", [&] { TraySingleDrive(Index, &frmVelkor::optUnlock_Click); });
}
void frmVelkor::mnuOpenSub_Click(int16_t Index) {
    RunAction("mnuOpenSub_Click()", [&] { TraySingleDrive(Index, &frmVelkor::optOpen_Click); });
}
void frmVelkor::mnuCloseSub_Click(int16_t Index) {
    RunAction("mnuCloseSub_Click()", [&] { TraySingleDrive(Index, &frmVelkor::optClose_Click); });
}

}  // namespace velkor
