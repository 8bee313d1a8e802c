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
    // Adds the icon for `owner`'s window; its mouse messages come to that window as
    // `callbackMessage` (the mouse message in lParam). False when the system refused.
    virtual bool Add(const ui::Form& owner, uint32_t callbackMessage) = 0;
    // The tooltip, cut to the 63 characters the system shows.
    virtual bool SetTip(const std::string& tip) = 0;
    // Removes the icon; harmless when there is none.
    virtual void Remove() = 0;
    // The message the system broadcasts when the taskbar has been (re)created: every icon
    // must then be added again.
    virtual uint32_t TaskbarCreatedMessage() const = 0;
};

}  // namespace velkor
