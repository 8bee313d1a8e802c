// Opening and closing the tray doors of the selected drive or of all drives. A drive this
// program has locked is unlocked around opening its tray and locked again afterwards.
#include "app/App.h"
#include "program/ErrorCheck.h"

namespace velkor {

void frmVelkor::OpenCD() {
    Guarded(app_.ports.dialogs, "OpenCD()", [&] {
        if (blnAllDrives) {
            for (int k = 1; k <= drives.count() && !app_.ended(); ++k) {
                imgCboDrives.select(k);
                DoorForEntry(k, true);
            }
            if (drives.count() > 0) imgCboDrives.select(1);
        } else if (imgCboDrives.selectedIndex() > 0) {
            DoorForEntry(imgCboDrives.selectedIndex(), true);
        }
    });
}

void frmVelkor::DoorForEntry(int k, bool open) {
    const std::string drive = drives.LetterOf(k);
    if (!open) {
        app_.doors.MciDoorClose(drive);
        return;
    }
    const int16_t i = static_cast<int16_t>(k - 1);
    if (drives.at(k).locked) {
        udtPMR.PreventMediaRemoval = 0;
        Velkor(i, false);
        app_.doors.MciDoorOpen(drive);
        udtPMR.PreventMediaRemoval = 1;
        Velkor(i, false);
    } else {
        app_.doors.MciDoorOpen(drive);
    }
}

void frmVelkor::CloseCD() {
    Guarded(app_.ports.dialogs, "CloseCD()", [&] {
        if (drives.count() == 0) return;
        // The selected drive is closed first, whatever the mode, and then once more.
        std::string selected;
        Get_Driveletter(selected);
        app_.doors.MciDoorClose(selected);
        if (blnAllDrives) {
            for (int k = 1; k <= drives.count() && !app_.ended(); ++k) {
                imgCboDrives.select(k);
                DoorForEntry(k, false);
            }
            imgCboDrives.select(1);
        } else {
            DoorForEntry(imgCboDrives.selectedIndex(), false);
        }
    });
}

}  // namespace velkor
