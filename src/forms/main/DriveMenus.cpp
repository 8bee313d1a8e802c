// The drive list in the window: the optical drives in the drive selector and in the four
// per-drive tray submenus.
#include "forms/main/frmVelkor.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "program/ErrorCheck.h"

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

}  // namespace velkor
