#include "drives/DriveControl.h"

#include "drives/CDOpenClose.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "profile/IniInOut.h"
#include "program/ErrorCheck.h"
#include "program/ManagedSettings.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"

namespace velkor {

void DriveControl::SetLocks(bool lock, int count, bool all) {
    Guarded(use_.dialogs, "Velkor()", [&] {
        std::vector<Failure> failures;
        if (all) {
            for (int k = 1; k <= count && !use_.session.ended(); ++k) {
                list_.Select(k);
                ApplyLockRequest(k, lock, failures);
                list_.Select(1);
            }
        } else if (list_.selected() > 0) {  // an empty list has nothing to act on
            ApplyLockRequest(list_.selected(), lock, failures);
        }
        if (use_.session.ended()) return;
        ReportFailures(failures);
    });
}

void DriveControl::LockEntry(int k) {
    Guarded(use_.dialogs, "Velkor()", [&] {
        std::vector<Failure> failures;
        ApplyLockRequest(k, true, failures);
        ReportFailures(failures);
    });
}

void DriveControl::ApplyLockRequest(int k, bool lock, std::vector<Failure>& failures) {
    const std::string drive = list_.LetterOf(k);
    if (lock && list_.at(k).locked) {  // one prevent request per drive is enough
        list_.Show(k, true);
        return;
    }
    DeviceOutcome outcome = LockCD_WinNT(drive, lock);
    if (!outcome.ok) failures.push_back({drive, lock, outcome.reason});
    list_.Show(k, outcome.ok ? lock : list_.at(k).locked);
}

DeviceOutcome DriveControl::LockCD_WinNT(const std::string& strDrive, bool prevent) {
    DeviceOutcome outcome;
    Guarded(use_.dialogs, "LockCD_WinNT()", [&] {
        outcome = use_.device.SetMediaRemoval(strDrive, prevent);
        if (!recording_ || strDrive.empty()) return;
        // The record follows the request, not its outcome: it is the user's choice, which the
        // next start applies again. A settings file that cannot be written is reported once.
        const char letter = strDrive[0];
        if (use_.managed.settings()) {
            runRecord_[letter] = prevent;
            return;
        }
        runRecord_.erase(letter);  // the file holds it again
        std::optional<RuntimeError> failed = Attempt([&] {
            use_.ini.WriteIni(settingsPath_, "Current", std::string("Device") + letter,
                              prevent ? "1" : "0");
        });
        if (failed && !recordFailureReported_) {
            recordFailureReported_ = true;
            ReportError(use_.dialogs, failed->number(), failed->description(), "LockCD_WinNT()");
        }
    });
    return outcome;
}

void DriveControl::ReportFailures(const std::vector<Failure>& failures) {
    if (failures.empty()) return;
    const bool german = use_.session.GermanTexts();
    std::string text;
    for (const Failure& f : failures) {
        if (!text.empty()) text += "\r\n";
        text +=
            Say(f.locking ? Msg::CouldNotLock : Msg::CouldNotUnlock, german, {f.drive, f.reason});
    }
    use_.dialogs.Show({text, std::string(program::kTitle), Buttons::Ok, Icon::Critical});
}

void DriveControl::OpenDoors(bool all) {
    Guarded(use_.dialogs, "OpenCD()", [&] {
        if (all) {
            for (int k = 1; k <= list_.count() && !use_.session.ended(); ++k) {
                list_.Select(k);
                DoorForEntry(k, true);
            }
            if (list_.count() > 0) list_.Select(1);
        } else if (list_.selected() > 0) {
            DoorForEntry(list_.selected(), true);
        }
    });
}

void DriveControl::CloseDoors(bool all) {
    Guarded(use_.dialogs, "CloseCD()", [&] {
        if (list_.count() == 0) return;
        // The selected drive is closed first, whatever the mode, and then once more.
        use_.doors.MciDoorClose(list_.LetterOf(list_.selected()));
        if (all) {
            for (int k = 1; k <= list_.count() && !use_.session.ended(); ++k) {
                list_.Select(k);
                DoorForEntry(k, false);
            }
            list_.Select(1);
        } else {
            DoorForEntry(list_.selected(), false);
        }
    });
}

void DriveControl::DoorForEntry(int k, bool open) {
    const std::string drive = list_.LetterOf(k);
    if (!open) {
        use_.doors.MciDoorClose(drive);
        return;
    }
    // The lock goes around the opening on the selected entry, which is k.
    const bool locked = list_.at(k).locked;
    if (locked) SetLocks(false, k - 1, false);
    use_.doors.MciDoorOpen(drive);
    if (locked) SetLocks(true, k - 1, false);
}

bool DriveControl::RecordedLocked(int k) const {
    const std::string letter = list_.LetterOf(k).substr(0, 1);
    if (letter.empty()) return false;
    if (auto run = runRecord_.find(letter[0]); run != runRecord_.end()) return run->second;
    const std::string recorded = use_.ini.ReadIni(settingsPath_, "Current", "Device" + letter);
    int16_t v = 0;
    Attempt([&] { v = ToInt16(recorded); });
    return v == 1;
}

}  // namespace velkor
