// The main window's drives: the optical drives in the drive selector and in the four per-drive
// tray submenus, and the handlers that hand the lock, the doors and the record to DriveControl.
#include "forms/main/frmVelkor.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "program/ErrorCheck.h"
#include "program/Session.h"

namespace velkor {

void frmVelkor::BuildDriveList() {
    for (const std::string& letter : OpticalDrives(use_.drives)) {
        drives.Add(letter);
        for (const char* menu : {"mnuLock", "mnuUnlock", "mnuOpen", "mnuClose"}) {
            AddMenuItem(letter, menu);
        }
    }
}

void frmVelkor::AddMenuItem(const std::string& strCaption, const std::string& strMenu) {
    Guarded(use_.dialogs, "AddMenuItem()", [&] {
        ui::MenuArray* array = strMenu == "mnuLock"     ? &mnuLockSub
                               : strMenu == "mnuUnlock" ? &mnuUnlockSub
                               : strMenu == "mnuOpen"   ? &mnuOpenSub
                               : strMenu == "mnuClose"  ? &mnuCloseSub
                                                        : nullptr;
        if (!array) return;
        ui::Menu& element = array->load(array->upperBound() + 1);
        element.setCaption(strCaption);
        element.setVisible(true);
    });
}

void frmVelkor::Get_Driveletter(std::string& strDrive) {
    // The letter is the entry's data: its label says "locked" or "unlocked" as well.
    std::string letter = drives.LetterOf(imgCboDrives.selectedIndex());
    if (!letter.empty()) strDrive = letter;
}

void frmVelkor::Velkor(int16_t intCountDevicesCD, bool blnAll) {
    driveControl_.SetLocks(udtPMR.PreventMediaRemoval == 1, intCountDevicesCD, blnAll);
}

void frmVelkor::OpenCD() {
    driveControl_.OpenDoors(blnAllDrives);
}

void frmVelkor::CloseCD() {
    driveControl_.CloseDoors(blnAllDrives);
}

// Each drive goes through the action button as the user's own lock or unlock would, one at a
// time and selected.
void frmVelkor::SetCurrentState() {
    Guarded(use_.dialogs, "SetCurrentState()", [&] {
        chkAll.setValue(0);
        for (int k = 1; k <= drives.count() && !use_.session.ended(); ++k) {
            imgCboDrives.select(k);
            if (driveControl_.RecordedLocked(k)) {
                optLock_Click();
            } else {
                optUnlock_Click();
            }
            RunRequest();
        }
    });
}

}  // namespace velkor
