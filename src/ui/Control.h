#pragma once
// What every control has: a name, a caption, enabled, visible, a tooltip, position and size in
// twips, and a place in the tab order.
#include <string>

#include "ui/Observable.h"

namespace velkor::ui {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// A colour of the system's scheme, by its number in the system's colour table.
enum class SystemColor {
    Default = -1,  // what the control kind has by default
    Menu = 4,
    Window = 5,
    CaptionText = 9,
    ButtonFace = 15,
};

enum class ControlKind {
    CheckBox,
    OptionButton,
    CommandButton,
    TextBox,
    Label,
    Frame,
    Picture,
    ImageCombo,
};

class Control : public Observable {
  public:
    Control(ControlKind kind, std::string name, std::string caption = {})
        : kind_(kind), name_(std::move(name)), caption_(std::move(caption)) {}

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { set(caption_, std::move(caption), Property::Caption); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { set(enabled_, enabled, Property::Enabled); }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { set(visible_, visible, Property::Visible); }

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string tip) { set(toolTip_, std::move(tip), Property::ToolTip); }

    const Bounds& bounds() const { return bounds_; }
    void setBounds(Bounds bounds) { set(bounds_, bounds, Property::Bounds); }

    SystemColor backColor() const { return backColor_; }
    void setBackColor(SystemColor color) { set(backColor_, color, Property::BackColor); }

    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { set(tabIndex_, index, Property::TabIndex); }

  protected:
    template <class T, class U>
    bool set(T& field, U&& value, Property property) {
        if (field == value) return false;
        field = std::forward<U>(value);
        notify(property);
        return true;
    }

  private:
    ControlKind kind_;
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string toolTip_;
    Bounds bounds_;
    int tabIndex_ = 0;
    SystemColor backColor_ = SystemColor::Default;
};

// Controls without behaviour of their own.
class Label : public Control {
  public:
    explicit Label(std::string name, std::string caption = {})
        : Control(ControlKind::Label, std::move(name), std::move(caption)) {}
};

class Frame : public Control {
  public:
    explicit Frame(std::string name, std::string caption = {})
        : Control(ControlKind::Frame, std::move(name), std::move(caption)) {}
};

class Picture : public Control {
  public:
    explicit Picture(std::string name) : Control(ControlKind::Picture, std::move(name)) {}
};

}  // namespace velkor::ui
