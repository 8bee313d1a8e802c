#include "ui/Form.h"

#include <algorithm>

namespace velkor::ui {

void Form::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify(Property::Caption);
}

void Form::show() {
    if (visible_) {
        activate();  // shown already, perhaps behind other windows: to the front
        return;
    }
    visible_ = true;
    notify(Property::Visible);
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    notify(Property::Visible);
}

void Form::setWindowState(WindowState state) {
    if (windowState_ == state) return;
    windowState_ = state;
    notify(Property::WindowState);
}

int Form::TextHeight(std::string_view text) const {
    if (measureTextHeight) return measureTextHeight(text);
    const auto breaks = std::count(text.begin(), text.end(), '\n');
    return kDefaultLineHeight * static_cast<int>(breaks + 1);
}

}  // namespace velkor::ui
