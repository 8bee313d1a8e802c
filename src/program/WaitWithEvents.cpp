#include "program/WaitWithEvents.h"

namespace velkor {
namespace {

int32_t Wrapped(uint32_t value) {
    return static_cast<int32_t>(value);
}

}  // namespace

int32_t WaitWithEvents(EventLoop& loop, int32_t lngMilliseconds,
                       const std::function<bool()>& done) {
    const bool unlimited = lngMilliseconds == -1;
    // All tick arithmetic wraps modulo 2^32 and is read as signed 32-bit.
    const uint32_t deadline = loop.TickCount() + static_cast<uint32_t>(lngMilliseconds);
    for (;;) {
        uint32_t remaining = kInfinite;
        if (!unlimited) {
            int32_t left = Wrapped(deadline - loop.TickCount());
            bool timeUp = ((left ^ lngMilliseconds) > 0) ? left > lngMilliseconds : left < 0;
            if (timeUp) return static_cast<int32_t>(kWaitTimeout);
            remaining = static_cast<uint32_t>(left);
        }
        uint32_t result = loop.WaitForInput(remaining);
        loop.DispatchPending();
        if (done && done()) return 0;
        if (result != 0) return static_cast<int32_t>(result);  // 0: input arrived, wait on
    }
}

}  // namespace velkor
