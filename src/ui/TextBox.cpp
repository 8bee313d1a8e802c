#include "ui/TextBox.h"

#include <algorithm>

namespace velkor::ui {

size_t TextBox::characters() const {
    return static_cast<size_t>(std::count_if(text_.begin(), text_.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void TextBox::setText(std::string text) {
    if (!set(text_, std::move(text), Property::Text)) return;
    setSelection(std::min(selStart_, characters()), 0);
    if (onChange) onChange();
}

void TextBox::setSelection(size_t start, size_t length) {
    size_t total = characters();
    start = std::min(start, total);
    length = std::min(length, total - start);
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    notify(Property::Selection);
}

}  // namespace velkor::ui
