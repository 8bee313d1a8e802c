#include "win32/Win32EventLoop.h"

namespace velkor::win32 {
namespace {
Win32EventLoop* timerOwner = nullptr;  // thread timers carry no context of their own
}

uint32_t Win32EventLoop::WaitForInput(uint32_t milliseconds) {
    return MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

void Win32EventLoop::Dispatch(MSG& message) {
    if (accelerators_ && acceleratorWindow_ &&
        (message.hwnd == acceleratorWindow_ || IsChild(acceleratorWindow_, message.hwnd)) &&
        TranslateAcceleratorW(acceleratorWindow_, accelerators_, &message)) {
        return;
    }
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top && IsDialogMessageW(top, &message)) return;
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

EventLoop::TimerId Win32EventLoop::StartTimer(uint32_t intervalMs, std::function<void()> onTick) {
    timerOwner = this;
    UINT_PTR id = SetTimer(nullptr, 0, intervalMs, &Win32EventLoop::OnTimer);
    if (id != 0) timers_[id] = std::move(onTick);
    return static_cast<TimerId>(id);
}

void Win32EventLoop::StopTimer(TimerId id) {
    KillTimer(nullptr, id);
    timers_.erase(id);
}

void CALLBACK Win32EventLoop::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    if (!timerOwner) return;
    auto found = timerOwner->timers_.find(id);
    if (found == timerOwner->timers_.end()) return;
    auto onTick = found->second;  // the handler may stop its own timer
    try {
        onTick();
    } catch (...) {
        // Handlers report their own errors; nothing may unwind into the system.
    }
}

}  // namespace velkor::win32
