#include "ui/Menu.h"

#include "ui/UiErrors.h"

namespace velkor::ui {

void Menu::setCaption(std::string caption) {
    change(caption_, std::move(caption), Property::Caption);
}
void Menu::setVisible(bool visible) {
    change(visible_, visible, Property::Visible);
}
void Menu::setEnabled(bool enabled) {
    change(enabled_, enabled, Property::Enabled);
}
void Menu::setChecked(bool checked) {
    change(checked_, checked, Property::Checked);
}

void Menu::click() {
    if (!enabled_ || !visible_) return;
    if (onClick) onClick();
}

MenuArray::MenuArray(std::string name, std::string caption) : name_(std::move(name)) {
    auto first = std::make_unique<Menu>(name_, std::move(caption));
    first->index_ = 0;
    first->onClick = [this] {
        if (onClick) onClick(0);
    };
    elements_.emplace(0, std::move(first));
}

Menu& MenuArray::operator[](int index) {
    auto found = elements_.find(index);
    if (found == elements_.end()) throw ControlArrayElementMissing();
    return *found->second;
}

std::vector<Menu*> MenuArray::elements() const {
    std::vector<Menu*> list;
    for (const auto& [index, element] : elements_) list.push_back(element.get());
    return list;
}

void MenuArray::unload(int index) {
    if (index == 0) throw InvalidCall("element 0 of a menu array cannot be unloaded");
    if (elements_.erase(index) == 0) throw ControlArrayElementMissing();
    notify(Property::Items);
}

Menu& MenuArray::load(int index) {
    if (index < 0 || index > 32767) throw IndexOutOfBounds();
    if (exists(index)) throw ControlArrayElementExists();
    const Menu& model = *elements_.at(0);
    auto element = std::make_unique<Menu>(name_, model.caption(), model.shortcut());
    element->index_ = index;
    element->visible_ = model.visible();
    element->enabled_ = model.enabled();
    element->checked_ = model.checked();
    element->onClick = [this, index] {
        if (onClick) onClick(index);
    };
    Menu& added = *element;
    elements_.emplace(index, std::move(element));
    notify(Property::Items);
    return added;
}

}  // namespace velkor::ui
