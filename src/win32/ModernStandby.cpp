#include "win32/ModernStandby.h"

#include "win32/SystemDll.h"

namespace velkor::win32 {
ModernStandbyNotifications::ModernStandbyNotifications(HWND window) {
    using Register = void*(WINAPI*)(HANDLE, DWORD);
    if (!window) return;
    if (auto subscribe = User32Function<Register>("RegisterSuspendResumeNotification")) {
        registration_ = subscribe(window, 0 /* DEVICE_NOTIFY_WINDOW_HANDLE */);
    }
}

ModernStandbyNotifications::~ModernStandbyNotifications() {
    using Unregister = BOOL(WINAPI*)(void*);
    if (!registration_) return;
    if (auto unsubscribe = User32Function<Unregister>("UnregisterSuspendResumeNotification")) {
        unsubscribe(registration_);
    }
}

}  // namespace velkor::win32
