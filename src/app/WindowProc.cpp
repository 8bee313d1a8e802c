// Resume from standby: the power window procedure and the timer that handles its signal.
#include "app/WindowProc.h"

#include "app/App.h"
#include "app/ErrorCheck.h"
#include "platform/Messages.h"

namespace velkor {

std::optional<intptr_t> PowerWindowProc(frmVelkor& main, const ui::WindowMessage& m) {
    if (m.message != msg::kPowerBroadcast || m.wParam != msg::kPbtApmResumeSuspend) {
        return std::nullopt;  // every other power event goes on unchanged
    }
    Attempt([&] { main.txtPWRMessage.setText(kResumeSignal); });
    return 0;
}

void frmVelkor::TimerSuspend_Timer() {
    // A wait inside the handling (a message box) lets this timer tick again: one handling at
    // a time, the next tick takes a signal that came meanwhile.
    if (handlingResume_) return;
    if (txtPWRMessage.text() != kResumeSignal) {
        blnSkipPassword = false;
        return;
    }
    // Put back afterwards, also after a failure: the password is skipped for this handling
    // only, and a resume handled while the exit's prompt waits (recording off) must not turn
    // recording on under the exit's final unlock.
    const bool wasRecording = blnRecordState;
    handlingResume_ = true;
    Guarded(app_.ports.dialogs, "TimerSuspend_Timer()", [&] {
        blnSkipPassword = true;
        // Greyed counts as ticked, as any non-zero value does.
        const bool restore = app_.preferences->chkResume.value() != 0;
        blnRecordState = false;
        optUnlock.select();
        chkAll.setValue(1);
        chkAll_Click();
        cmdDo_Click();  // every drive unlocked: no password, nothing recorded
        if (restore) SetCurrentState();
        txtPWRMessage.setText("");
    });
    handlingResume_ = false;
    blnSkipPassword = false;
    blnRecordState = wasRecording;
}

}  // namespace velkor
