#pragma once
#include <functional>
#include <string>

#include "ui/Control.h"

namespace velkor::ui {

class TextBox : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::TextBox;
    explicit TextBox(std::string name, std::string text = {})
        : Control(ControlKind::TextBox, std::move(name)), text_(std::move(text)) {}

    std::function<void()> onChange;

    const std::string& text() const { return text_; }
    void setText(std::string text);

    // Shown in place of every character when not empty (password entry).
    const std::string& passwordChar() const { return passwordChar_; }
    void setPasswordChar(std::string c) {
        set(passwordChar_, std::move(c), Property::PasswordChar);
    }

    // Set at design time, before the form is first shown: the text wraps and keeps its line
    // breaks.
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool multiLine) { set(multiLine_, multiLine, Property::MultiLine); }

    // Set at design time: a multi-line box whose text may run longer than the box shows a
    // vertical scroll bar.
    bool verticalScrollBar() const { return verticalScrollBar_; }
    void setVerticalScrollBar(bool shown) { set(verticalScrollBar_, shown, Property::ScrollBars); }

    // The user can select and copy the text but not change it.
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { set(readOnly_, readOnly, Property::ReadOnly); }

    bool hasFocus() const { return focus_; }
    void setFocus() { set(focus_, true, Property::Focus); }
    void loseFocus() { set(focus_, false, Property::Focus); }

    // Selection in characters of the text.
    size_t selStart() const { return selStart_; }
    size_t selLength() const { return selLength_; }
    void setSelection(size_t start, size_t length);
    void selectAll() { setSelection(0, characters()); }

  private:
    size_t characters() const;

    std::string text_;
    std::string passwordChar_;
    bool multiLine_ = false;
    bool readOnly_ = false;
    bool verticalScrollBar_ = false;
    bool focus_ = false;
    size_t selStart_ = 0;
    size_t selLength_ = 0;
};

}  // namespace velkor::ui
