#include "win32/Win32EventLoop.h"

namespace velkor::win32 {

uint32_t Win32EventLoop::WaitForInput(uint32_t milliseconds) {
    return MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

void Win32EventLoop::setAccelerators(HWND window, HACCEL table) {
    if (table) {
        accelerators_[window] = table;
    } else {
        accelerators_.erase(window);
    }
}

void Win32EventLoop::Dispatch(MSG& message) {
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top) {
        auto found = accelerators_.find(top);
        if (found != accelerators_.end() && TranslateAcceleratorW(top, found->second, &message)) {
            return;
        }
        if (IsDialogMessageW(top, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32EventLoop::DispatchPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the main loop
            return;
        }
        Dispatch(message);
    }
}

int Win32EventLoop::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return static_cast<int>(message.wParam);
}

}  // namespace velkor::win32
