#pragma once
// Option buttons of one group: selecting one clears the others. Selecting from code runs the
// click handler exactly as a user's click does, but only when the button was not selected.
#include <functional>
#include <vector>

#include "ui/Control.h"

namespace velkor::ui {

class OptionButton;

class OptionGroup {
  public:
    void add(OptionButton& button) { members_.push_back(&button); }
    const std::vector<OptionButton*>& members() const { return members_; }
    OptionButton* selected() const;

  private:
    std::vector<OptionButton*> members_;
};

class OptionButton : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::OptionButton;
    OptionButton(OptionGroup& group, std::string name, std::string caption = {})
        : Control(ControlKind::OptionButton, std::move(name), std::move(caption)), group_(group) {
        group.add(*this);
    }

    std::function<void()> onClick;

    bool selected() const { return selected_; }
    // Selects this button and clears the others of its group.
    void select();
    // Clearing from code runs no handler; the group is then left without a selection.
    void clear() { set(selected_, false, Property::Value); }
    // A user's click.
    void click() {
        if (enabled()) select();
    }

  private:
    OptionGroup& group_;
    bool selected_ = false;
};

}  // namespace velkor::ui
