#pragma once
// Windows 8 and later: a PC in modern standby tells only the windows that asked for it when it
// sleeps and wakes, with the same power broadcasts a classic standby sends to every window.
// Asked for on first use of the system function; on older systems nothing is asked.
#include <windows.h>

namespace velkor::win32 {

class ModernStandbyNotifications {
  public:
    explicit ModernStandbyNotifications(HWND window);
    ~ModernStandbyNotifications();
    ModernStandbyNotifications(const ModernStandbyNotifications&) = delete;
    ModernStandbyNotifications& operator=(const ModernStandbyNotifications&) = delete;
    bool registered() const { return registration_ != nullptr; }

  private:
    void* registration_ = nullptr;  // the system's HPOWERNOTIFY
};

}  // namespace velkor::win32
