// The drive list: the optical drives in ascending letter order, shown in the drive selector and
// in the four per-drive tray submenus.
#include "app/App.h"
#include "app/ErrorCheck.h"

namespace velkor {

void frmVelkor::BuildDriveList() {
    intDriveCount = 0;
    uint32_t present = app_.ports.drives.LogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(present & (1u << (letter - 'A')))) continue;
        std::string text{letter, ':'};
        if (app_.ports.drives.TypeOf(text + "\\") != DriveType::CdRom) continue;
        imgCboDrives.add(intDriveCount + 1, text, kPictureUnlocked);
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
    Guarded(app_.ports.dialogs, "Get_Driveletter()", [&] {
        std::string text = imgCboDrives.selectedText();
        size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos) return;
        char c = text[first];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c >= 'A' && c <= 'Z') strDrive = std::string{c, ':'};
    });
}

}  // namespace velkor
