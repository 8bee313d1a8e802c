#pragma once
// The notification-area icon: one icon for one window, with the program's own picture.
#include <cstdint>
#include <string>

namespace velkor::ui {
class Form;
}

namespace velkor {

class Tray {
  public:
    virtual ~Tray() = default;
    // Adds the icon for `owner`'s window, speaking the current icon version: its events come
    // to that window as `callbackMessage`, the event in lParam's low word (the mouse messages,
    // then NIN_SELECT or WM_CONTEXTMENU for a click; NIN_KEYSELECT, WM_CONTEXTMENU from the
    // keyboard), the anchor in wParam (x in the low word, y in the high word, screen pixels).
    // False when the system refused.
    virtual bool Add(const ui::Form& owner, uint32_t callbackMessage) = 0;
    // The tooltip, cut to the 63 characters the system shows.
    virtual bool SetTip(const std::string& tip) = 0;
    // Gives the keyboard focus back to the icon, as after its menu was left with Escape.
    virtual void GiveFocusBack() = 0;
    // Removes the icon; harmless when there is none.
    virtual void Remove() = 0;
    // The message the system broadcasts when the taskbar has been (re)created: every icon
    // must then be added again.
    virtual uint32_t TaskbarCreatedMessage() const = 0;
};

}  // namespace velkor
