#include "ui/Observable.h"

#include <algorithm>

namespace velkor::ui {

void Subscription::reset() {
    if (auto list = list_.lock()) {
        auto& entries = list->entries;
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [this](const auto& e) { return e.id == id_; }),
                      entries.end());
    }
    list_.reset();
}

Subscription Observable::subscribe(std::function<void(Property)> listener) const {
    uint64_t id = listeners_->nextId++;
    listeners_->entries.push_back({id, std::move(listener)});
    return Subscription(listeners_, id);
}

void Observable::notify(Property property) const {
    // A listener may subscribe or unsubscribe while it runs: call a snapshot.
    std::vector<detail::Listeners::Entry> snapshot = listeners_->entries;
    for (const auto& entry : snapshot) entry.call(property);
}

}  // namespace velkor::ui
