#pragma once
// A check box: value 0 cleared, 1 ticked, 2 greyed. Setting the value from code runs the click
// handler exactly as a user's click does, but only when the value changes.
#include <functional>

#include "ui/Control.h"

namespace velkor::ui {

class CheckBox : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::CheckBox;
    explicit CheckBox(std::string name, std::string caption = {})
        : Control(ControlKind::CheckBox, std::move(name), std::move(caption)) {}

    std::function<void()> onClick;

    int value() const { return value_; }
    void setValue(int value);  // 0, 1 or 2; anything else raises "Invalid property value"

    // A user's click: ticks a box that is not ticked, clears a ticked one.
    void click();

  private:
    int value_ = 0;
};

}  // namespace velkor::ui
