#pragma once
// Waits while still dispatching window messages, so timers, menu commands and clicks run during
// the wait. -1 waits without a limit. Returns 258 when the time is up, otherwise the result of
// the system wait that ended it.
#include <cstdint>
#include <functional>

#include "platform/EventLoop.h"

namespace velkor {

// `done`, when given, is asked after each dispatch: the wait ends early (returning 0) once it
// says true, so that a wait for an answer ends with the answer.
int32_t WaitWithEvents(EventLoop& loop, int32_t lngMilliseconds,
                       const std::function<bool()>& done = {});

}  // namespace velkor
