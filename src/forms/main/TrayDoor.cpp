// Opening and closing the tray doors of the selected drive or of all drives. A drive this
// program has locked is unlocked around opening its tray and locked again afterwards.
#include "drives/CDOpenClose.h"
#include "forms/main/frmVelkor.h"
#include "platform/Dialogs.h"
#include "program/ErrorCheck.h"
#include "program/Session.h"

namespace velkor {

void frmVelkor::OpenCD() {
    Guarded(use_.dialogs, "OpenCD()", [&] {
        if (blnAllDrives) {
            for (int k = 1; k <= drives.count() && !use_.session.ended(); ++k) {
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
        use_.doors.MciDoorClose(drive);
        return;
    }
    const int16_t i = static_cast<int16_t>(k - 1);
    if (drives.at(k).locked) {
        udtPMR.PreventMediaRemoval = 0;
        Velkor(i, false);
        use_.doors.MciDoorOpen(drive);
        udtPMR.PreventMediaRemoval = 1;
        Velkor(i, false);
    } else {
        use_.doors.MciDoorOpen(drive);
    }
}

void frmVelkor::CloseCD() {
    Guarded(use_.dialogs, "CloseCD()", [&] {
        if (drives.count() == 0) return;
        // The selected drive is closed first, whatever the mode, and then once more.
        std::string selected;
        Get_Driveletter(selected);
        use_.doors.MciDoorClose(selected);
        if (blnAllDrives) {
            for (int k = 1; k <= drives.count() && !use_.session.ended(); ++k) {
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
