#pragma once
// The operations on the drive list: the media lock of one drive or of all, shown in the
// selector and the submenus and recorded in the settings file, and the tray doors.
//
// In managed mode (a settings file the administrator has locked) the record is kept for the run
// only, without a word.
//
// A drive only ever shows as locked when the device accepted the request: a failed lock leaves
// it unlocked, a failed unlock leaves a drive that was locked as locked, and the user is told
// which drives failed and why.
#include <map>
#include <string>
#include <vector>

#include "drives/DriveList.h"
#include "platform/Device.h"

namespace velkor {

class CDOpenClose;
class Dialogs;
class IniInOut;
class ManagedSettings;
class Session;

class DriveControl {
  public:
    struct Uses {
        Session& session;
        Dialogs& dialogs;
        Device& device;
        IniInOut& ini;
        CDOpenClose& doors;
        const ManagedSettings& managed;
    };
    // `recording` and `settingsPath` are the main window's: whether a lock request is written to
    // section "Current", and of which file.
    DriveControl(Uses uses, DriveList& list, const bool& recording, const std::string& settingsPath)
        : use_(uses), list_(list), recording_(recording), settingsPath_(settingsPath) {}

    // Prevents (`lock`) or allows media removal on the selected drive, or on the first `count`
    // entries when `all` (selecting each while it is done).
    void SetLocks(bool lock, int count, bool all);
    // Opens or closes the tray of the selected drive, or of every drive when `all`. A locked
    // drive is unlocked around opening its tray and locked again afterwards.
    void OpenDoors(bool all);
    void CloseDoors(bool all);
    // Locks entry k alone, the selection untouched (a drive that has just come).
    void LockEntry(int k);
    // Whether the record of entry k says locked: the request kept for the run in managed mode,
    // else the file's "1". No record, or a broken one, is unlocked.
    bool RecordedLocked(int k) const;

  private:
    struct Failure {
        std::string drive;
        bool locking;
        std::string reason;
    };
    void ApplyLockRequest(int k, bool lock, std::vector<Failure>& failures);
    DeviceOutcome LockCD_WinNT(const std::string& strDrive, bool prevent);
    void ReportFailures(const std::vector<Failure>& failures);
    void DoorForEntry(int k, bool open);

    Uses use_;
    DriveList& list_;
    const bool& recording_;
    const std::string& settingsPath_;
    bool recordFailureReported_ = false;
    std::map<char, bool> runRecord_;  // drive letter: the last request, while managed
};

}  // namespace velkor
