#pragma once
// The notification-area icon of the main window: added at a minimised start, with a window
// procedure that takes the icon's events (mouse and keyboard) and turns the window's minimise
// command into hiding it. One icon for one window, for the whole run.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Tray.h"
#include "ui/Menu.h"
#include "ui/WindowProcs.h"

namespace velkor {

class frmVelkor;

class APIStuff {
  public:
    explicit APIStuff(Tray& tray) : tray_(tray) {}

    // Puts TrayWindowProc on the window, then adds the icon with `mnu` as its pop-up menu.
    // False when the notification area is not there (yet): the icon comes when it is.
    bool AddTrayIcon(frmVelkor& frm, ui::Menu& mnu);
    void SetTrayTip(const std::string& strTip);
    void RemoveTrayIcon();
    bool iconShown() const { return shown_; }

    std::optional<intptr_t> TrayWindowProc(const ui::WindowMessage& m);

  private:
    void OnIconEvent(uint32_t event, uintptr_t anchor);
    void AddAgain();

    Tray& tray_;
    frmVelkor* frmTray = nullptr;
    ui::Menu* mnuTray = nullptr;
    std::string tip_;
    bool shown_ = false;
};

}  // namespace velkor
