#include "win32/ModernStandby.h"

namespace velkor::win32 {
namespace {

// A function of user32.dll that older systems lack: null there.
template <class FunctionPointer>
FunctionPointer User32(const char* name) {
    return reinterpret_cast<FunctionPointer>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

ModernStandbyNotifications::ModernStandbyNotifications(HWND window) {
    using Register = void*(WINAPI*)(HANDLE, DWORD);
    if (!window) return;
    if (auto subscribe = User32<Register>("RegisterSuspendResumeNotification")) {
        registration_ = subscribe(window, 0 /* DEVICE_NOTIFY_WINDOW_HANDLE */);
    }
}

ModernStandbyNotifications::~ModernStandbyNotifications() {
    using Unregister = BOOL(WINAPI*)(void*);
    if (!registration_) return;
    if (auto unsubscribe = User32<Unregister>("UnregisterSuspendResumeNotification")) {
        unsubscribe(registration_);
    }
}

}  // namespace velkor::win32
