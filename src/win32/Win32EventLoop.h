#pragma once
// The thread's message queue and clock. Keyboard messages pass through the main window's
// accelerators and the dialog navigation (Tab, arrow keys, Enter) of the window they belong to.
#include <windows.h>

#include <map>

#include "platform/EventLoop.h"

namespace velkor::win32 {

class Win32EventLoop : public EventLoop {
  public:
    uint32_t TickCount() const override { return GetTickCount(); }
    uint32_t WaitForInput(uint32_t milliseconds) override;
    void DispatchPending() override;
    TimerId StartTimer(uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(TimerId id) override;

    void setAccelerators(HWND window, HACCEL table) {
        acceleratorWindow_ = window;
        accelerators_ = table;
    }
    // Forgets the accelerators of a window that is going away.
    void dropAccelerators(HWND window) {
        if (acceleratorWindow_ == window) setAccelerators(nullptr, nullptr);
    }
    // Runs until the quit message; returns its exit code.
    int Run();
    // One message through accelerators, dialog navigation and the window procedure.
    void Dispatch(MSG& message);

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    HWND acceleratorWindow_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::map<UINT_PTR, std::function<void()>> timers_;
};

}  // namespace velkor::win32
