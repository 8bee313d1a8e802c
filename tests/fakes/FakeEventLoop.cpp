#include "fakes/FakeEventLoop.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "ui/Dispatch.h"

namespace velkor::test {

constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

void FakeEventLoop::at(uint64_t ms, std::function<void()> action) {
    events_.emplace(std::make_pair(ms, sequence_++), std::move(action));
}

uint64_t FakeEventLoop::nextDue() const {
    uint64_t due = events_.empty() ? kNever : events_.begin()->first.first;
    for (const auto& [id, timer] : timers_) due = std::min(due, timer.due);
    return due;
}

bool FakeEventLoop::dispatchOne() {
    // Scripted input first, then timers, as the system ranks WM_TIMER below other messages.
    if (!events_.empty() && events_.begin()->first.first <= now_) {
        auto action = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        ui::Dispatch running;  // as the system dispatches a message: forms unloaded go after it
        action();
        return true;
    }
    for (auto& [id, timer] : timers_) {
        if (timer.due <= now_) {
            timer.due = now_ + timer.interval;  // missed ticks are not made up
            auto onTick = timer.onTick;         // the handler may stop its own timer
            ui::Dispatch running;
            onTick();
            return true;
        }
    }
    return false;
}

void FakeEventLoop::DispatchPending() {
    while (dispatchOne()) {
    }
}

uint32_t FakeEventLoop::WaitForInput(uint32_t milliseconds) {
    ++waitCalls_;
    uint64_t due = nextDue();
    if (due <= now_) return 0;
    const uint64_t limit = milliseconds == kInfinite ? kNever : now_ + milliseconds;
    if (due == kNever && limit == kNever) {
        throw std::logic_error("an endless wait with no input left to come");
    }
    now_ = std::min(due, limit);
    return due <= limit ? 0 : kWaitTimeout;
}

void FakeEventLoop::runUntil(uint64_t ms) {
    for (;;) {
        DispatchPending();
        uint64_t due = nextDue();
        if (due > ms) break;
        now_ = due;
    }
    if (now_ < ms) now_ = ms;
    DispatchPending();
}

FakeEventLoop::TimerId FakeEventLoop::StartTimer(uint32_t intervalMs,
                                                 std::function<void()> onTick) {
    TimerId id = nextTimer_++;
    intervalMs = std::max<uint32_t>(intervalMs, 10);  // the system's minimum
    timers_.emplace(id, PendingTimer{intervalMs, now_ + intervalMs, std::move(onTick)});
    return id;
}

void FakeEventLoop::StopTimer(TimerId id) {
    timers_.erase(id);
}

}  // namespace velkor::test
