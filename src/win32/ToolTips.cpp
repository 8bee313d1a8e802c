#include "win32/ToolTips.h"

#include <commctrl.h>

#include "win32/Utf.h"

namespace velkor::win32 {

bool ToolTips::Make(HWND owner, HINSTANCE instance) {
    if (window_) return true;
    window_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                  nullptr, instance, nullptr));
    if (!window_) return false;
    for (const auto& [control, text] : std::map<HWND, std::string>(std::move(waiting_))) {
        Set(owner, control, text);
    }
    return true;
}

void ToolTips::Set(HWND owner, HWND control, const std::string& text) {
    if (!window_) {
        waiting_[control] = text;
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    std::wstring tip = Widen(text);
    tool.lpszText = tip.data();
    bool& known = known_[control];
    if (text.empty()) {
        if (known) SendMessageW(window_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        known = false;
    } else if (known) {
        SendMessageW(window_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        known = SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void ToolTips::Clear() {
    window_.reset();
    known_.clear();
    waiting_.clear();
}

}  // namespace velkor::win32
