// The media lock: prevent or allow media removal on one drive or on all drives, shown in the
// drive selector and the tray submenus, and recorded in the settings file.
//
// The program only ever shows a drive as locked when the device accepted the request: a failed
// lock leaves the drive unlocked, a failed unlock leaves a drive it had locked as locked, and
// the user is told which drives failed and why.
#include "forms/main/frmVelkor.h"
#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/OsVersion.h"
#include "profile/IniInOut.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"

namespace velkor {

void frmVelkor::Velkor(int16_t intCountDevicesCD, bool blnAll) {
    Guarded(use_.dialogs, "Velkor()", [&] {
        const bool nt = use_.os.PlatformId() >= kPlatformWin32Nt;
        const bool lock = udtPMR.PreventMediaRemoval == 1;  // one request for every drive
        bool notNt = false;
        std::vector<DriveFailure> failures;
        if (blnAll) {
            for (int k = 1; k <= intCountDevicesCD && !use_.session.ended(); ++k) {
                imgCboDrives.select(k);
                ApplyLockRequest(k, lock, nt, notNt, failures);
                if (nt) imgCboDrives.select(1);
            }
        } else if (imgCboDrives.selectedIndex() > 0) {  // an empty list has nothing to act on
            ApplyLockRequest(imgCboDrives.selectedIndex(), lock, nt, notNt, failures);
        }
        if (use_.session.ended()) return;
        if (notNt) {
            use_.dialogs.Show({"This program only works on Windows NT/2000/XP",
                               std::string(program::kTitle), Buttons::Ok, Icon::None});
        }
        ReportDriveFailures(failures);
    });
}

void frmVelkor::ApplyLockRequest(int k, bool lock, bool nt, bool& notNt,
                                 std::vector<DriveFailure>& failures) {
    const std::string drive = drives.LetterOf(k);

    if (!nt) {
        notNt = true;
        if (!lock) {  // no device is touched, but an unlock still shows the drive unlocked
            drives.Show(k, false);
        }
        return;
    }
    if (lock && drives.at(k).locked) {  // one prevent request per drive is enough
        drives.Show(k, true);
        return;
    }
    DeviceOutcome outcome = LockCD_WinNT(drive, lock);
    if (!outcome.ok) failures.push_back({drive, lock, outcome.reason});
    drives.Show(k, outcome.ok ? lock : drives.at(k).locked);
}

DeviceOutcome frmVelkor::LockCD_WinNT(const std::string& strDrive, bool prevent) {
    DeviceOutcome outcome;
    Guarded(use_.dialogs, "LockCD_WinNT()", [&] {
        outcome = use_.device.SetMediaRemoval(strDrive, prevent);
        if (!blnRecordState || strDrive.empty()) return;
        // The record follows the request, not its outcome: it is the user's choice, which the
        // next start applies again. A settings file that cannot be written is reported once.
        std::optional<RuntimeError> failed = Attempt([&] {
            use_.ini.WriteIni(strIniFile, "Current", "Device" + strDrive.substr(0, 1),
                              prevent ? "1" : "0");
        });
        if (failed && !recordFailureReported_) {
            recordFailureReported_ = true;
            ReportError(use_.dialogs, failed->number(), failed->description(), "LockCD_WinNT()");
        }
    });
    return outcome;
}

void frmVelkor::ReportDriveFailures(const std::vector<DriveFailure>& failures) {
    if (failures.empty()) return;
    const bool german = use_.session.GermanTexts();
    std::string text;
    for (const DriveFailure& f : failures) {
        if (!text.empty()) text += "\r\n";
        text +=
            Say(f.locking ? Msg::CouldNotLock : Msg::CouldNotUnlock, german, {f.drive, f.reason});
    }
    use_.dialogs.Show({text, std::string(program::kTitle), Buttons::Ok, Icon::Critical});
}

}  // namespace velkor
