#include "ui/CheckBox.h"

#include "ui/UiErrors.h"

namespace velkor::ui {

void CheckBox::setValue(int value) {
    if (value < 0 || value > 2) throw InvalidPropertyValue();
    if (!set(value_, value, Property::Value)) return;
    if (onClick) onClick();
}

void CheckBox::click() {
    if (!enabled()) return;
    setValue(value_ == 1 ? 0 : 1);
}

}  // namespace velkor::ui
