// The lock-state record: each drive's last requested state in section "Current" of the
// settings file, applied again at start-up.
#include "forms/main/frmVelkor.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "profile/IniInOut.h"
#include "program/ErrorCheck.h"
#include "program/Session.h"

namespace velkor {

void frmVelkor::SetCurrentState() {
    Guarded(use_.dialogs, "SetCurrentState()", [&] {
        chkAll.setValue(0);
        for (int k = 1; k <= drives.count() && !use_.session.ended(); ++k) {
            imgCboDrives.select(k);
            const std::string letter = drives.LetterOf(k).substr(0, 1);
            std::string recorded = use_.ini.ReadIni(strIniFile, "Current", "Device" + letter);
            // A drive without a record (new since the last run) or with a broken one counts
            // as unlocked, and the drives after it are still restored.
            int16_t v = 0;
            Attempt([&] { v = ToInt16(recorded); });
            imgCboDrives.select(k);
            if (v == 1) {
                optLock_Click();
            } else {
                optUnlock_Click();
            }
            RunRequest();
        }
    });
}

}  // namespace velkor
