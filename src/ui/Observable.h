#pragma once
// Property-change notification for the form model. The renderer subscribes; tests read the
// model directly. A Subscription ends its listener when it goes away.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace velkor::ui {

enum class Property {
    Caption,
    Text,
    Enabled,
    Visible,
    ToolTip,
    Bounds,
    TabIndex,
    Value,      // check box value, option button selection
    Items,      // image combo entries, menu array elements
    Selection,  // image combo selection, text selection
    Focus,
    Checked,
    Shortcut,
    Timer,  // interval or enabled of a timer
    WindowState,
    PasswordChar,
    CloseCommand,  // the form's Close command was taken away
    BackColor,
    ShowInTaskbar,
    Activate,     // the form asks to be brought to the front
    WindowProcs,  // a window procedure was installed or removed
    PopupMenu,    // the form asks for one of its pop-up menus (Form::popupRequest)
    Font,         // size, bold or underline of a control's font
    ForeColor,
    Alignment,     // of a label's text
    MousePointer,  // the pointer kind over a control
    MouseIcon,     // the icon file of a custom pointer
    Image,         // the image a picture shows
    MultiLine,     // of a text box
    ReadOnly,      // of a text box
    ScrollBars,    // of a multi-line text box
};

namespace detail {
struct Listeners {
    struct Entry {
        uint64_t id;
        std::function<void(Property)> call;
    };
    std::vector<Entry> entries;
    uint64_t nextId = 1;
};
}  // namespace detail

class Subscription {
  public:
    Subscription() = default;
    Subscription(std::weak_ptr<detail::Listeners> list, uint64_t id)
        : list_(std::move(list)), id_(id) {}
    Subscription(Subscription&& other) noexcept = default;
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            list_ = std::move(other.list_);
            id_ = other.id_;
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset();

  private:
    std::weak_ptr<detail::Listeners> list_;
    uint64_t id_ = 0;
};

class Observable {
  public:
    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    [[nodiscard]] Subscription subscribe(std::function<void(Property)> listener) const;

  protected:
    void notify(Property property) const;

  private:
    std::shared_ptr<detail::Listeners> listeners_ = std::make_shared<detail::Listeners>();
};

}  // namespace velkor::ui
