#pragma once
// The thread's message queue and clock. Keyboard messages pass through the accelerators of the
// window they belong to and the dialog navigation (Tab, arrow keys, Enter, Escape).
#include <windows.h>

#include <map>

#include "platform/EventLoop.h"

namespace velkor::win32 {

class Win32EventLoop : public EventLoop {
  public:
    uint32_t TickCount() const override { return GetTickCount(); }
    uint32_t WaitForInput(uint32_t milliseconds) override;
    void DispatchPending() override;

    // The accelerator table of a top-level window; null forgets it. The caller keeps the table
    // alive while it is set here.
    void setAccelerators(HWND window, HACCEL table);
    HACCEL acceleratorsOf(HWND window) const {
        auto found = accelerators_.find(window);
        return found == accelerators_.end() ? nullptr : found->second;
    }
    // Runs until the quit message; returns its exit code.
    int Run();
    // One message through accelerators, dialog navigation and the window procedure.
    void Dispatch(MSG& message);

  private:
    std::map<HWND, HACCEL> accelerators_;
};

}  // namespace velkor::win32
