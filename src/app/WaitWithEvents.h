#pragma once
// Waits while still dispatching window messages, so timers, menu commands and clicks run during
// the wait. -1 waits without a limit. Returns 258 when the time is up, otherwise the result of
// the system wait that ended it.
#include <cstdint>

#include "platform/EventLoop.h"

namespace velkor {

int32_t WaitWithEvents(EventLoop& loop, int32_t lngMilliseconds);

}  // namespace velkor
