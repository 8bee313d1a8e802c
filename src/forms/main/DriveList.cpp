// The drive list: the optical drives in ascending letter order, shown in the drive selector and
// in the four per-drive tray submenus.
#include "app/App.h"
#include "program/ErrorCheck.h"

namespace velkor {

void frmVelkor::BuildDriveList() {
    intDriveCount = 0;
    driveLetters.clear();
    uint32_t present = app_.ports.drives.LogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(present & (1u << (letter - 'A')))) continue;
        std::string text{letter, ':'};
        if (app_.ports.drives.TypeOf(text + "\\") != DriveType::CdRom) continue;
        imgCboDrives.add(intDriveCount + 1, text, kPictureUnlocked);
        driveLetters.push_back(text);
        ++intDriveCount;
        for (const char* menu : {"mnuLock", "mnuUnlock", "mnuOpen", "mnuClose"}) {
            AddMenuItem(text, menu);
        }
    }
}

void frmVelkor::AddMenuItem(const std::string& strCaption, const std::string& strMenu) {
    Guarded(app_.ports.dialogs, "AddMenuItem()", [&] {
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
    std::string letter = LetterOf(imgCboDrives.selectedIndex());
    if (!letter.empty()) strDrive = letter;
}

std::string frmVelkor::LetterOf(int k) const {
    if (k < 1 || static_cast<size_t>(k) > driveLetters.size()) return {};
    return driveLetters[static_cast<size_t>(k - 1)];
}

}  // namespace velkor
