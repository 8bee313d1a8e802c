#pragma once
// A message loop with a fake 32-bit tick clock. Scripted input runs as a message dispatched at
// its time; waiting moves the clock to the next input or to the end of the wait, so waits,
// prompts, timers and nested message loops are deterministic and take no real time.
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "platform/EventLoop.h"

namespace velkor::test {

class FakeEventLoop : public EventLoop {
  public:
    // The tick count starts at `startTick`, so tests can place the wrap of the counter.
    explicit FakeEventLoop(uint32_t startTick = 0) : start_(startTick) {}

    // Input dispatched `ms` milliseconds after the start.
    void at(uint64_t ms, std::function<void()> action);

    uint64_t now() const { return now_; }  // milliseconds since the start, without wrap
    // The outer message loop: dispatches everything due until `ms` after the start.
    void runUntil(uint64_t ms);

    int waitCalls() const { return waitCalls_; }

    uint32_t TickCount() const override { return static_cast<uint32_t>(start_ + now_); }
    uint32_t WaitForInput(uint32_t milliseconds) override;
    void DispatchPending() override;
    // A recurring callback, as the system runs a form's timer while messages are dispatched.
    using TimerId = uint32_t;
    TimerId StartTimer(uint32_t intervalMs, std::function<void()> onTick);
    void StopTimer(TimerId id);

  private:
    struct PendingTimer {
        uint32_t interval;
        uint64_t due;
        std::function<void()> onTick;
    };
    // Earliest time at which something is due; UINT64_MAX when nothing is.
    uint64_t nextDue() const;
    bool dispatchOne();

    uint32_t start_;
    uint64_t now_ = 0;
    uint64_t sequence_ = 0;
    std::map<std::pair<uint64_t, uint64_t>, std::function<void()>> events_;
    std::map<TimerId, PendingTimer> timers_;
    TimerId nextTimer_ = 1;
    int waitCalls_ = 0;
};

}  // namespace velkor::test
