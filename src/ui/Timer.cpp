#include "ui/Timer.h"

namespace velkor::ui {

void Timer::setInterval(uint32_t ms) {
    if (interval_ == ms) return;
    interval_ = ms;
    notify(Property::Timer);
}

void Timer::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    notify(Property::Timer);
}

}  // namespace velkor::ui
