#pragma once
// A timer: while enabled with an interval above 0 its handler runs every interval milliseconds.
// The model only holds the settings; whoever runs the event loop arms it and calls tick().
#include <cstdint>
#include <functional>
#include <string>

#include "ui/Observable.h"

namespace velkor::ui {

class Timer : public Observable {
  public:
    Timer(std::string name, uint32_t intervalMs, bool enabled = true)
        : name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {}

    std::function<void()> onTimer;

    const std::string& name() const { return name_; }
    uint32_t interval() const { return interval_; }
    void setInterval(uint32_t ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool running() const { return enabled_ && interval_ > 0; }

    void tick() {
        if (running() && onTimer) onTimer();
    }

  private:
    std::string name_;
    uint32_t interval_;
    bool enabled_;
};

}  // namespace velkor::ui
