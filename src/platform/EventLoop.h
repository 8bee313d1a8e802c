#pragma once
// The clock and the thread's message queue.
#include <cstdint>

namespace velkor {

inline constexpr uint32_t kWaitTimeout = 258;
inline constexpr uint32_t kWaitFailed = 0xFFFFFFFFu;
inline constexpr uint32_t kInfinite = 0xFFFFFFFFu;

class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Milliseconds since start, wrapping modulo 2^32.
    virtual uint32_t TickCount() const = 0;
    // Waits until input arrives for the thread (0) or the time is up (kWaitTimeout).
    // kInfinite waits without a limit.
    virtual uint32_t WaitForInput(uint32_t milliseconds) = 0;
    // Dispatches every message that is pending now (timers of the forms included).
    virtual void DispatchPending() = 0;
};

}  // namespace velkor
