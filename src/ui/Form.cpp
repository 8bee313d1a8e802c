#include "ui/Form.h"

namespace velkor::ui {

void Form::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify(Property::Caption);
}

void Form::show() {
    if (visible_) return;
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

}  // namespace velkor::ui
