#include "ui/OptionButton.h"

namespace velkor::ui {

OptionButton* OptionGroup::selected() const {
    for (OptionButton* member : members_) {
        if (member->selected()) return member;
    }
    return nullptr;
}

void OptionButton::select() {
    if (selected_) return;
    for (OptionButton* other : group_.members()) {
        if (other != this) other->clear();
    }
    set(selected_, true, Property::Value);
    if (onClick) onClick();
}

}  // namespace velkor::ui
