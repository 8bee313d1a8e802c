#pragma once
// Resume from standby: a window procedure on the main window that only raises the resume signal
// (the text of txtPWRMessage); the main window's timer acts on it (frmVelkor::TimerSuspend_Timer).
#include <cstdint>
#include <optional>

#include "ui/WindowProcs.h"

namespace velkor {

class frmVelkor;

// The signal's texts.
inline constexpr const char* kResumeSignal = "PBT_APMRESUMESUSPEND";
inline constexpr const char* kNoResumeYet = "NA";

// Raises the signal at a wake from standby, once a wake. `resumedAutomatically` is the
// procedure's own: this wake was already signalled.
std::optional<intptr_t> PowerWindowProc(frmVelkor& main, bool& resumedAutomatically,
                                        const ui::WindowMessage& m);

}  // namespace velkor
