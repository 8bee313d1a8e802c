// Resume from standby: the power window procedure and the timer that handles its signal.
#include "forms/main/WindowProc.h"

#include "forms/main/frmVelkor.h"
#include "forms/preferences/frmPreferences.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "program/ErrorCheck.h"
#include "program/Session.h"

namespace velkor {

std::optional<intptr_t> PowerWindowProc(frmVelkor& main, bool& resumedAutomatically,
                                        const ui::WindowMessage& m) {
    if (m.message != msg::kPowerBroadcast) return std::nullopt;
    if (m.wParam == msg::kPbtApmSuspend) resumedAutomatically = false;  // a new sleep begins
    // Every wake sends "automatic", also one by a timer or the network with nobody at the PC;
    // "suspend" follows only when a person woke it, and is the same wake: handled once.
    const bool automatic = m.wParam == msg::kPbtApmResumeAutomatic;
    if (!automatic && m.wParam != msg::kPbtApmResumeSuspend) {
        return std::nullopt;  // every other power event goes on unchanged
    }
    if (!automatic && resumedAutomatically) return 0;
    resumedAutomatically = resumedAutomatically || automatic;
    Attempt([&] { main.txtPWRMessage.setText(kResumeSignal); });
    return 0;
}

void frmVelkor::TimerSuspend_Timer() {
    if (txtPWRMessage.text() != kResumeSignal) return;
    // Another action runs (a prompt or a message box waits): the signal stays, a later tick
    // handles it once that action has ended.
    if (use_.session.ended() || use_.session.actions().busy()) return;
    // Put back afterwards, also after a failure: the handling's unlock and restore are not the
    // user's choice and are not recorded.
    const bool wasRecording = blnRecordState;
    use_.session.actions().TryRun([&] {
        Guarded(use_.dialogs, "TimerSuspend_Timer()", [&] {
            txtPWRMessage.setText("");  // a resume during the handling is handled after it
            // Greyed counts as ticked, as any non-zero value does.
            const bool restore = use_.preferences->chkResume.value() != 0;
            blnRecordState = false;
            optUnlock.select();
            chkAll.setValue(1);
            chkAll_Click();
            // The gate holds every other request off meanwhile: the skip is the handling's own.
            blnSkipPassword = true;
            RunRequest();  // every drive unlocked: no password, nothing recorded
            if (restore && !use_.session.ended()) SetCurrentState();
        });
    });
    blnSkipPassword = false;
    blnRecordState = wasRecording;
}

}  // namespace velkor
