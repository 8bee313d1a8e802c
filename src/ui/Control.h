#pragma once
// What every control has: a name, a caption, enabled, visible, a tooltip, position and size in
// twips, a place in the tab order, colours, a font, a mouse pointer and mouse moves.
#include <cstdint>
#include <functional>
#include <string>
#include <variant>

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
    ButtonText = 18,
};

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A picture of the drive selector: a filled disc or a ring, in a colour.
struct Dot {
    Rgb colour;
    bool ring = false;
};

// A colour of the system's scheme, or a fixed one.
using Color = std::variant<SystemColor, Rgb>;

// Changes to the font the control has from its form.
struct Font {
    int size = 0;  // in points; 0 keeps the form's size
    bool bold = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

enum class MousePointer {
    Default,  // what the control kind shows
    Custom,   // the control's mouse icon; the default pointer while it has none
};

enum class Alignment { Left, Right, Center };

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

    const Color& foreColor() const { return foreColor_; }
    void setForeColor(Color color) { set(foreColor_, color, Property::ForeColor); }

    const Font& font() const { return font_; }
    void setFont(Font font) { set(font_, font, Property::Font); }

    MousePointer mousePointer() const { return mousePointer_; }
    void setMousePointer(MousePointer pointer) {
        set(mousePointer_, pointer, Property::MousePointer);
    }
    // The icon file (.ico) a custom pointer shows; empty for none.
    const std::string& mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::string path) { set(mouseIcon_, std::move(path), Property::MouseIcon); }

    // Reached with the Tab key, with a focus mark, even where a control of its kind is not (a
    // link drawn as a label or a picture). Set before the form's window is made.
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool tabStop) { tabStop_ = tabStop; }
    // What a screen reader calls the control where the system would name it wrongly or not at
    // all (a read-only text, a picture; a list under Wine): a text, or the caption of the label
    // that names it, without its access-key marker. Empty: the system's own name.
    std::string accessibleName() const;
    void setAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    void setNamedBy(const Control& label) { namedBy_ = &label; }
    // Enter or Space on such a control while it has the focus.
    std::function<void()> onKeyActivate;
    void keyActivate() {
        if (enabled() && onKeyActivate) onKeyActivate();
    }

    // The mouse moved over the control: the buttons held (1 left, 2 right, 4 middle), the
    // keys held (1 Shift, 2 Ctrl, 4 Alt) and the position in twips inside the control.
    std::function<void(int button, int shift, int x, int y)> onMouseMove;
    void mouseMove(int button, int shift, int x, int y) {
        if (enabled() && onMouseMove) onMouseMove(button, shift, x, y);
    }

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
    bool tabStop_ = false;
    std::string accessibleName_;
    const Control* namedBy_ = nullptr;
    SystemColor backColor_ = SystemColor::Default;
    Color foreColor_ = SystemColor::Default;
    Font font_;
    MousePointer mousePointer_ = MousePointer::Default;
    std::string mouseIcon_;
};

inline std::string Control::accessibleName() const {
    if (!namedBy_) return accessibleName_;
    std::string name = namedBy_->caption();
    // "&&" is a literal ampersand; a single "&" marks the access key.
    for (size_t at = name.find('&'); at != std::string::npos; at = name.find('&', at + 1))
        name.erase(at, 1);
    return name;
}

// Text the user reads; it can be clicked.
class Label : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::Label;
    explicit Label(std::string name, std::string caption = {})
        : Control(ControlKind::Label, std::move(name), std::move(caption)) {}

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment) { set(alignment_, alignment, Property::Alignment); }

    std::function<void()> onClick;
    void click() {
        if (enabled() && onClick) onClick();
    }

  private:
    Alignment alignment_ = Alignment::Left;
};

class Frame : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::Frame;
    explicit Frame(std::string name, std::string caption = {})
        : Control(ControlKind::Frame, std::move(name), std::move(caption)) {}
};

// An image from the program's resources, shown at its own size; it can be clicked.
class Picture : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::Picture;
    explicit Picture(std::string name) : Control(ControlKind::Picture, std::move(name)) {}

    // The name of the image resource; empty for none.
    const std::string& image() const { return image_; }
    void setImage(std::string name) { set(image_, std::move(name), Property::Image); }

    std::function<void()> onClick;
    void click() {
        if (enabled() && onClick) onClick();
    }

  private:
    std::string image_;
};

// The control as its own kind (TextBox, CommandButton, ...), or nullptr when it is another.
template <class T>
T* As(Control& control) {
    return control.kind() == T::kKind ? static_cast<T*>(&control) : nullptr;
}

}  // namespace velkor::ui
