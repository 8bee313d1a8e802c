#include "win32/Win32Tray.h"

#include <algorithm>
#include <string>

#include "win32/DpiResources.h"
#include "win32/Renderer.h"
#include "win32/SystemDll.h"
#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

// Shell_NotifyIconW; false, as when the notification area refuses it, when the system's shell
// DLL cannot be loaded: then the window stays shown, and the program within reach.
bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
    std::string failure;
    auto* notify = ShellDll().Find<decltype(Shell_NotifyIconW)>("Shell_NotifyIconW", failure);
    return notify && notify(message, &data) != FALSE;
}

}  // namespace

Win32Tray::Win32Tray(HINSTANCE instance, Renderer& renderer)
    : instance_(instance),
      renderer_(renderer),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    data_.cbSize = sizeof data_;
}

bool Win32Tray::Add(const ui::Form& owner, uint32_t callbackMessage) {
    HWND window = renderer_.windowOf(owner);
    if (!window) return false;
    LetThrough(window, taskbarCreated_);  // or an elevated copy never hears the taskbar is back
    if (!icon_) {
        int side = GetSystemMetrics(SM_CXSMICON);
        UINT dpi = DpiOf(window);
        side = MulDiv(side, static_cast<int>(dpi), static_cast<int>(DpiOf(nullptr)));
        icon_.reset(ProgramIcon(instance_, side));
    }
    data_.hWnd = window;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | (data_.szTip[0] ? NIF_TIP : 0);
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon_.get();
    // After the taskbar came back the old icon is gone; an icon still there is replaced.
    if (shown_) NotifyIcon(NIM_DELETE, data_);
    shown_ = NotifyIcon(NIM_ADD, data_);
    // Version 4: the icon answers the keyboard (NIN_KEYSELECT, the menu key) and names a
    // click's meaning (NIN_SELECT, WM_CONTEXTMENU with the anchor). Every add, re-adds included.
    if (shown_) {
        data_.uVersion = NOTIFYICON_VERSION_4;
        versionSet_ = NotifyIcon(NIM_SETVERSION, data_);
    }
    return shown_;
}

bool Win32Tray::SetTip(const std::string& tip) {
    std::wstring wide = Widen(tip);
    const size_t room = std::size(data_.szTip) - 1;  // the system shows 63 characters (NT: 127)
    wide.resize(std::min(wide.size(), std::min<size_t>(room, 63)));
    std::fill(std::begin(data_.szTip), std::end(data_.szTip), L'\0');
    std::copy(wide.begin(), wide.end(), data_.szTip);
    if (!shown_) return false;
    data_.uFlags = NIF_TIP;
    return NotifyIcon(NIM_MODIFY, data_);
}

void Win32Tray::GiveFocusBack() {
    if (shown_) NotifyIcon(NIM_SETFOCUS, data_);
}

void Win32Tray::Remove() {
    if (!shown_) return;
    data_.uFlags = 0;
    NotifyIcon(NIM_DELETE, data_);
    shown_ = false;
}

}  // namespace velkor::win32
