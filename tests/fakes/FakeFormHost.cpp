#include "fakes/FakeFormHost.h"

namespace velkor::test {

void FakeFormHost::Arm(Attached& attached, ui::Timer& timer) {
    if (attached.running.contains(&timer)) loop_.StopTimer(attached.running[&timer]);
    attached.running.erase(&timer);
    if (timer.running()) {
        attached.running[&timer] = loop_.StartTimer(timer.interval(), [&timer] { timer.tick(); });
    }
}

void FakeFormHost::attach(ui::Form& form) {
    Attached& attached = forms_[&form];
    for (ui::Timer* timer : form.timers()) {
        Arm(attached, *timer);
        attached.subscriptions.push_back(
            timer->subscribe([this, &attached, timer](ui::Property) { Arm(attached, *timer); }));
    }
    attached.subscriptions.push_back(form.subscribe([this, &form](ui::Property p) {
        if (p != ui::Property::PopupMenu || !form.popupRequest()) return;
        ++popups;
        const auto at = form.popupAnchor();
        lastAnchor = at ? std::to_string(at->x) + "," + std::to_string(at->y) : "mouse";
    }));
}

void FakeFormHost::detach(ui::Form& form) {
    auto found = forms_.find(&form);
    if (found == forms_.end()) return;
    for (auto& [timer, id] : found->second.running) loop_.StopTimer(id);
    forms_.erase(found);
}

}  // namespace velkor::test
