#pragma once
// An image combo box: entries counted from 1, each with a text and a picture index into the
// box's image list; at most one entry is selected (0 = none).
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace velkor::ui {

struct ComboEntry {
    std::string text;
    int picture = 0;  // 1-based index into the image list, 0 = none
};

class ImageCombo : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::ImageCombo;
    explicit ImageCombo(std::string name) : Control(ControlKind::ImageCombo, std::move(name)) {}

    // A user's choice of an entry.
    std::function<void()> onClick;

    int count() const { return static_cast<int>(entries_.size()); }
    const ComboEntry& entry(int index) const;  // 1 .. count()
    const std::vector<ComboEntry>& entries() const { return entries_; }

    // Inserts an entry at `position` (1 .. count() + 1); later entries move down by one.
    void add(int position, std::string text, int picture = 0);
    void setText(int index, std::string text);
    void setPicture(int index, int picture);
    void clear();
    // Removes entry `index`; the selection stays on its entry, or is none when that went.
    void remove(int index);
    // The pictures: picture n (from 1) is dot n, told apart by its shape as well as its colour.
    void setPictures(std::vector<Dot> dots) { pictures_ = std::move(dots); }
    const std::vector<Dot>& pictures() const { return pictures_; }

    int selectedIndex() const { return selected_; }
    // Text of the selected entry; raises "Index out of bounds" when nothing is selected.
    const std::string& selectedText() const { return entry(selected_).text; }
    // Selects entry `index` (1 .. count()); 0 removes the selection.
    void select(int index);
    // A user's choice: selects and runs the click handler.
    void choose(int index);

  private:
    ComboEntry& at(int index);

    std::vector<ComboEntry> entries_;
    std::vector<Dot> pictures_;
    int selected_ = 0;
};

}  // namespace velkor::ui
