#pragma once
// Menus: a tree of entries with caption, visible, enabled, checked and a shortcut. Menu arrays
// are entries that share a name and a click handler that takes the index; element 0 is their
// template and elements are added as copies of it.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Observable.h"

namespace velkor::ui {

class MenuArray;

class Menu : public Observable {
  public:
    explicit Menu(std::string name, std::string caption = {}, std::string shortcut = {})
        : name_(std::move(name)), caption_(std::move(caption)), shortcut_(std::move(shortcut)) {}

    std::function<void()> onClick;

    const std::string& name() const { return name_; }
    // Index within its menu array, or -1.
    int index() const { return index_; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool isSeparator() const { return caption_ == "-"; }

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    // Text such as "Ctrl+X"; empty for none.
    const std::string& shortcut() const { return shortcut_; }

    // Children in menu order: single entries and menu arrays.
    struct Child {
        Menu* item = nullptr;
        MenuArray* array = nullptr;
    };
    void add(Menu& child) { children_.push_back({&child, nullptr}); }
    void add(MenuArray& array) { children_.push_back({nullptr, &array}); }
    const std::vector<Child>& children() const { return children_; }
    bool isSubmenu() const { return !children_.empty(); }

    // A user's choice of the entry.
    void click();

  private:
    friend class MenuArray;
    template <class T>
    void change(T& field, T value, Property property) {
        if (field == value) return;
        field = std::move(value);
        notify(property);
    }

    std::string name_;
    std::string caption_;
    std::string shortcut_;
    int index_ = -1;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    std::vector<Child> children_;
};

class MenuArray : public Observable {
  public:
    // Creates element 0 with the given caption.
    MenuArray(std::string name, std::string caption);

    std::function<void(int index)> onClick;

    const std::string& name() const { return name_; }
    Menu& operator[](int index);  // raises "Control array element does not exist"
    bool exists(int index) const { return elements_.count(index) != 0; }
    int upperBound() const { return elements_.rbegin()->first; }
    // Elements in index order.
    std::vector<Menu*> elements() const;

    // Creates element `index` as a copy of element 0 (caption, visible, enabled, checked).
    Menu& load(int index);
    // Removes element `index`; element 0, the pattern of the others, stays.
    void unload(int index);

  private:
    std::string name_;
    std::map<int, std::unique_ptr<Menu>> elements_;
};

}  // namespace velkor::ui
