#include "ui/ImageCombo.h"

#include "ui/UiErrors.h"

namespace velkor::ui {

const ComboEntry& ImageCombo::entry(int index) const {
    if (index < 1 || index > count()) throw IndexOutOfBounds();
    return entries_[static_cast<size_t>(index - 1)];
}

ComboEntry& ImageCombo::at(int index) {
    return const_cast<ComboEntry&>(entry(index));
}

void ImageCombo::add(int position, std::string text, int picture) {
    if (position < 1 || position > count() + 1) throw IndexOutOfBounds();
    entries_.insert(entries_.begin() + (position - 1), ComboEntry{std::move(text), picture});
    if (selected_ >= position) ++selected_;
    notify(Property::Items);
}

void ImageCombo::setText(int index, std::string text) {
    ComboEntry& e = at(index);
    if (e.text == text) return;
    e.text = std::move(text);
    notify(Property::Items);
}

void ImageCombo::setPicture(int index, int picture) {
    ComboEntry& e = at(index);
    if (e.picture == picture) return;
    e.picture = picture;
    notify(Property::Items);
}

void ImageCombo::remove(int index) {
    at(index);  // raises for an entry that is not there
    entries_.erase(entries_.begin() + (index - 1));
    if (selected_ == index) {
        selected_ = 0;
    } else if (selected_ > index) {
        --selected_;
    }
    notify(Property::Items);
}

void ImageCombo::clear() {
    entries_.clear();
    selected_ = 0;
    notify(Property::Items);
}

void ImageCombo::select(int index) {
    if (index < 0 || index > count()) throw IndexOutOfBounds();
    set(selected_, index, Property::Selection);
}

void ImageCombo::choose(int index) {
    if (!enabled()) return;
    select(index);
    if (onClick) onClick();
}

}  // namespace velkor::ui
