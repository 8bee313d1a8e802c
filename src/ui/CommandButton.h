#pragma once
#include <functional>

#include "ui/Control.h"

namespace velkor::ui {

class CommandButton : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::CommandButton;
    explicit CommandButton(std::string name, std::string caption = {})
        : Control(ControlKind::CommandButton, std::move(name), std::move(caption)) {}

    std::function<void()> onClick;

    // The default button answers Enter, the cancel button Escape.
    bool isDefault() const { return default_; }
    void setDefault(bool value) { default_ = value; }
    bool isCancel() const { return cancel_; }
    void setCancel(bool value) { cancel_ = value; }

    // A user's click (or Enter/Escape); a disabled button cannot be clicked.
    void click() {
        if (enabled() && onClick) onClick();
    }

  private:
    bool default_ = false;
    bool cancel_ = false;
};

// A dialog's OK and Cancel: Enter clicks `ok`, Escape clicks `cancel`.
inline void SetOkCancel(CommandButton& ok, std::function<void()> onOk, CommandButton& cancel,
                        std::function<void()> onCancel) {
    ok.setDefault(true);
    ok.onClick = std::move(onOk);
    cancel.setCancel(true);
    cancel.onClick = std::move(onCancel);
}

}  // namespace velkor::ui
