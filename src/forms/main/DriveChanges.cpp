// Drives that come and go while the program runs: a USB drive plugged in is listed and gets the
// start-up policy; a drive that goes away leaves the lists, its record kept for its return.
#include "drives/DriveList.h"
#include "forms/main/frmVelkor.h"
#include "forms/preferences/frmPreferences.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "program/ErrorCheck.h"
#include "program/Session.h"

namespace velkor {

std::optional<intptr_t> frmVelkor::DeviceWindowProc(const ui::WindowMessage& m) {
    if (m.message == msg::kEnterMenuLoop) menuOpen_ = true;
    if (m.message == msg::kExitMenuLoop) menuOpen_ = false;
    if (m.message != msg::kDeviceChange) return std::nullopt;
    // Any volume that came or went, or any other device: the drives are listed again and
    // compared. A disc put in or taken out (reported the same way) changes no drive, and so
    // nothing. A burst of notifications is one change: the timer starts again at each.
    if (m.wParam == msg::kDbtDeviceRemoveComplete) {
        // A letter taken away is gone even if it is back before the drives are listed again:
        // a device plugged in under it is another one, and starts unlocked.
        volumesGone_ |= msg::VolumesOf(m.lParam);
    }
    if (m.wParam == msg::kDbtDeviceArrival || m.wParam == msg::kDbtDeviceRemoveComplete ||
        m.wParam == msg::kDbtDevNodesChanged) {
        TimerDrives.setEnabled(false);
        TimerDrives.setEnabled(true);
    }
    return std::nullopt;  // the system's answer stands
}

void frmVelkor::TimerDrives_Timer() {
    // Applied between the user's steps, never inside one (an action, its prompt, a message box,
    // an open menu): until then the timer runs on and the next tick tries again.
    if (use_.session.ended() || menuOpen_ || use_.session.boxOpen()) return;
    use_.session.actions().TryRun([&] {
        TimerDrives.setEnabled(false);
        Guarded(use_.dialogs, "TimerDrives_Timer()", [&] { FollowDrives(); });
    });
}

void frmVelkor::FollowDrives() {
    std::vector<std::string> wentAway;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (volumesGone_ & (1u << (letter - 'A'))) wentAway.push_back({letter, ':'});
    }
    volumesGone_ = 0;
    const std::vector<int> added = drives.Follow(OpticalDrives(use_.drives), wentAway);
    // A new drive gets what a drive present at start-up got; locking never asks for the
    // password, and nothing here unlocks a drive.
    const frmPreferences& preferences = *use_.preferences;
    const bool lastState = preferences.chkSaveState.value() == 1;
    const bool lockAll = preferences.chkLockAll.value() == 1;
    for (int k : added) {
        if (use_.session.ended()) return;
        if (lastState ? driveControl_.RecordedLocked(k) : lockAll) driveControl_.LockEntry(k);
    }
}

}  // namespace velkor
