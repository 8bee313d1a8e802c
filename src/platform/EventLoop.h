#pragma once
// The clock and the thread's message queue.
#include <cstdint>
#include <functional>

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
    // Dispatches every message that is pending now.
    virtual void DispatchPending() = 0;

    using TimerId = uint32_t;
    // A recurring callback on this thread, every intervalMs, while messages are dispatched.
    virtual TimerId StartTimer(uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(TimerId id) = 0;
};

}  // namespace velkor
