#include "win32/MenuBuilder.h"

#include <string>

#include "win32/Utf.h"
#include "win32/Win32EventLoop.h"

namespace velkor::win32 {
namespace {
constexpr int kFirstMenuId = 1000;  // below: control ids; ids stay with their menu entry
}

MenuBuilder::MenuBuilder(ui::Form& form, Win32EventLoop& loop)
    : form_(form), window_(nullptr), loop_(loop), nextId_(kFirstMenuId) {}

MenuBuilder::~MenuBuilder() {
    if (window_) loop_.setAccelerators(window_, nullptr);
}

void MenuBuilder::Attach(HWND window) {
    window_ = window;
    if (GetMenu(window) == unattachedBar_.get()) unattachedBar_.release();  // the window's now
    unattachedBar_.reset();
    loop_.setAccelerators(window_, accelerators_.get());
}

int MenuBuilder::IdOf(const ui::Menu& menu) {
    inMenus_.insert(&menu);
    auto found = idOfMenu_.find(&menu);
    if (found != idOfMenu_.end()) return found->second;
    int id = nextId_++;
    idOfMenu_[&menu] = id;
    menuOfId_[id] = const_cast<ui::Menu*>(&menu);
    return id;
}

ui::Menu* MenuBuilder::MenuOfId(int id) const {
    auto found = menuOfId_.find(id);
    return found == menuOfId_.end() ? nullptr : found->second;
}

HMENU MenuBuilder::PopupOf(const ui::Menu& top) const {
    auto found = popups_.find(&top);
    return found == popups_.end() ? nullptr : found->second.get();
}

void MenuBuilder::Watch(const ui::Observable& item) {
    subscriptions_.push_back(item.subscribe([this](ui::Property) { Changed(); }));
}

void MenuBuilder::Changed() {
    if (inMenuLoop_) {
        stale_ = true;  // the open menu must not be destroyed under the user
        return;
    }
    Build();
}

void MenuBuilder::ExitMenuLoop() {
    inMenuLoop_ = false;
    if (stale_) Build();
}

void MenuBuilder::AppendItem(HMENU target, const ui::Menu& item, std::vector<ACCEL>& keys) {
    int id = IdOf(item);
    Watch(item);
    if (!item.visible()) return;
    if (item.isSeparator()) {
        AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::wstring caption = Widen(item.caption());
    const UINT grey = item.enabled() ? 0 : MF_GRAYED;
    if (item.isSubmenu()) {
        UniqueMenu sub(CreatePopupMenu());
        AppendChildren(sub.get(), item, keys);
        if (AppendMenuW(target, MF_POPUP | grey, reinterpret_cast<UINT_PTR>(sub.get()),
                        caption.c_str())) {
            sub.release();  // destroyed with its parent from now on
        }
        return;
    }
    const std::string& shortcut = item.shortcut();
    if (!shortcut.empty()) {
        caption += L"\t" + Widen(shortcut);
        if (shortcut.rfind("Ctrl+", 0) == 0 && shortcut.size() == 6) {
            keys.push_back(
                {FCONTROL | FVIRTKEY, static_cast<WORD>(shortcut[5]), static_cast<WORD>(id)});
        }
    }
    AppendMenuW(target, MF_STRING | grey | (item.checked() ? MF_CHECKED : 0),
                static_cast<UINT_PTR>(id), caption.c_str());
}

void MenuBuilder::AppendChildren(HMENU target, const ui::Menu& parent, std::vector<ACCEL>& keys) {
    for (const ui::Menu::Child& child : parent.children()) {
        if (child.item) {
            AppendItem(target, *child.item, keys);
            continue;
        }
        Watch(*child.array);  // a new element of the array
        for (ui::Menu* element : child.array->elements()) AppendItem(target, *element, keys);
    }
}

void MenuBuilder::Build() {
    stale_ = false;
    inMenus_.clear();
    subscriptions_.clear();
    UniqueMenu bar(CreateMenu());
    std::map<const ui::Menu*, UniqueMenu> popups;
    std::vector<ACCEL> keys;
    for (ui::Menu* top : form_.menus()) {
        if (top->visible()) {
            AppendItem(bar.get(), *top, keys);
            continue;
        }
        IdOf(*top);
        Watch(*top);
        UniqueMenu popup(CreatePopupMenu());
        AppendChildren(popup.get(), *top, keys);
        popups[top] = std::move(popup);
    }

    // The window destroys the bar it holds; one it no longer holds is ours to destroy.
    HMENU shown = bar && GetMenuItemCount(bar.get()) > 0 ? bar.get() : nullptr;
    if (!window_) {
        if (shown) unattachedBar_ = std::move(bar);
    } else if (HMENU previous = GetMenu(window_); previous != shown && SetMenu(window_, shown)) {
        if (shown) bar.release();
        UniqueMenu detached(previous);
    }
    popups_ = std::move(popups);
    // An element unloaded from a menu array takes its id with it: no command reaches it.
    for (auto it = idOfMenu_.begin(); it != idOfMenu_.end();) {
        if (inMenus_.count(it->first)) {
            ++it;
            continue;
        }
        menuOfId_.erase(it->second);
        it = idOfMenu_.erase(it);
    }

    UniqueAccelerators table;
    if (!keys.empty()) {
        table.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
    }
    if (window_) loop_.setAccelerators(window_, table.get());  // before the old table goes
    accelerators_ = std::move(table);
}

}  // namespace velkor::win32
