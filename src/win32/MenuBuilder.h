#pragma once
// A form's menus as Win32 menus: the visible top-level menus make the menu bar, the hidden ones
// are pop-up menus kept for TrackPopupMenu; shortcuts become the window's accelerator table.
// Any change of a menu in the model builds them anew (after the menu loop, if one is open).
#include <windows.h>

#include <map>
#include <set>
#include <vector>

#include "ui/Form.h"
#include "win32/Handles.h"

namespace velkor::win32 {

class Win32EventLoop;

class MenuBuilder {
  public:
    MenuBuilder(ui::Form& form, Win32EventLoop& loop);
    ~MenuBuilder();
    MenuBuilder(const MenuBuilder&) = delete;
    MenuBuilder& operator=(const MenuBuilder&) = delete;

    // Builds (or rebuilds) the bar, the pop-ups and the accelerators from the model.
    void Build();
    // The bar built before the window was made, for CreateWindowEx, which then owns it (null
    // without a bar). Attach gives the builder the window that holds it.
    HMENU BarForNewWindow() const { return unattachedBar_.get(); }
    void Attach(HWND window);
    // The menu loop opened or closed: no menu is rebuilt while the user is in it.
    void EnterMenuLoop() { inMenuLoop_ = true; }
    void ExitMenuLoop();

    // The menu entry of a command id, or null.
    ui::Menu* MenuOfId(int id) const;
    // The Win32 pop-up menu of a hidden top-level menu, or null.
    HMENU PopupOf(const ui::Menu& top) const;

  private:
    int IdOf(const ui::Menu& menu);
    void Watch(const ui::Observable& item);
    void AppendChildren(HMENU target, const ui::Menu& parent, std::vector<ACCEL>& keys);
    void AppendItem(HMENU target, const ui::Menu& item, std::vector<ACCEL>& keys);
    void Changed();

    ui::Form& form_;
    HWND window_;
    Win32EventLoop& loop_;
    std::vector<ui::Subscription> subscriptions_;
    std::map<int, ui::Menu*> menuOfId_;
    std::map<const ui::Menu*, int> idOfMenu_;
    std::set<const ui::Menu*> inMenus_;  // the entries the last build met
    int nextId_;
    std::map<const ui::Menu*, UniqueMenu> popups_;
    UniqueAccelerators accelerators_;
    UniqueMenu unattachedBar_;  // until the window holds it
    bool inMenuLoop_ = false;
    bool stale_ = false;
};

}  // namespace velkor::win32
