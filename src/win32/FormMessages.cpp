#include <windows.h>
#include <windowsx.h>

#include <variant>

#include "ui/CommandButton.h"
#include "ui/Dispatch.h"
#include "win32/ControlAdapters.h"
#include "win32/FormMessages.h"
#include "win32/FormWindow.h"

namespace velkor::win32 {

ControlAdapter* FormMessages::AdapterOf(HWND control) const {
    for (const auto& adapter : w_.adapters_) {
        if (adapter->hwnd() == control) return adapter.get();
    }
    return nullptr;
}

void FormMessages::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    // Every branch ends at the model's handler: it may unload this very form.
    if (lParam == 0 && id == IDCANCEL) {  // Escape: the form's cancel button, if it has one
        for (const auto& adapter : w_.adapters_) {
            auto* button = ui::As<ui::CommandButton>(adapter->control());
            if (button && button->isCancel()) return button->click();
        }
        // Without a cancel button Escape closes the window as its close box does.
        if (!w_.form_.closeDisabled()) w_.form_.CloseCommand();
        return;
    }
    if (lParam == 0) {  // a menu entry or an accelerator
        if (ui::Menu* menu = w_.menus_ ? w_.menus_->MenuOfId(id) : nullptr) menu->click();
        return;
    }
    // A hidden or disabled control cannot have been used: a notification from it was made up by
    // someone else and reaches no handler.
    ControlAdapter* adapter = AdapterOf(reinterpret_cast<HWND>(lParam));
    if (adapter && adapter->control().visible() && adapter->control().enabled()) {
        adapter->OnNotify(code);
    }
}

LRESULT FormMessages::ControlColor(HDC dc, HWND control, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    ControlAdapter* adapter = AdapterOf(control);
    ui::SystemColor color = adapter ? adapter->control().backColor() : ui::SystemColor::Default;
    const ui::Color fore = adapter ? adapter->control().foreColor() : ui::Color{};
    const bool ownText = fore != ui::Color{ui::SystemColor::Default};
    if (color == ui::SystemColor::Default) {
        // An enabled text box keeps the system's own; everything else sits on the form.
        const bool systemLook =
            message == WM_CTLCOLOREDIT || w_.form_.style().backColor == ui::SystemColor::ButtonFace;
        if (systemLook && !ownText) return DefWindowProcW(w_.Window(), message, wParam, lParam);
        color = message == WM_CTLCOLOREDIT ? ui::SystemColor::Window : w_.form_.style().backColor;
    }
    if (ownText) {
        HIGHCONTRASTW contrast{sizeof contrast};
        const bool highContrast =
            SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
            (contrast.dwFlags & HCF_HIGHCONTRASTON);
        if (const auto* rgb = std::get_if<ui::Rgb>(&fore)) {
            // A fixed colour (a hovered link's blue) may vanish in a high-contrast scheme:
            // there it is the scheme's own colour for what the pointer is over.
            SetTextColor(dc, highContrast ? GetSysColor(COLOR_HOTLIGHT)
                                          : RGB(rgb->red, rgb->green, rgb->blue));
        } else {
            SetTextColor(dc, GetSysColor(static_cast<int>(std::get<ui::SystemColor>(fore))));
        }
    }
    SetBkColor(dc, GetSysColor(static_cast<int>(color)));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(static_cast<int>(color)));
}

LRESULT FormMessages::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case DM_GETDEFID:  // Enter clicks the default button
            for (const auto& adapter : w_.adapters_) {
                auto* button = ui::As<ui::CommandButton>(adapter->control());
                if (button && button->isDefault()) return MAKELRESULT(adapter->id(), DC_HASDEFID);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && w_.form_.closeDisabled()) return 0;
            break;
        case WM_CLOSE:
            if (!w_.form_.closeDisabled()) w_.form_.CloseCommand();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(w_.Window(), focus)) w_.lastFocus_ = focus;
            } else if (HWND last = w_.LastFocus()) {
                SetFocus(last);
                return 0;
            }
            break;
        case WM_NEXTDLGCTL: {
            // The dialog navigation (an access key of a label or frame, arrow keys in a group)
            // asks the window to move the focus, as a dialog box would.
            HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(w_.Window(), GetFocus(), wParam != 0);
            if (next) SetFocus(next);
            return 0;
        }
        case WM_SETCURSOR: {
            ControlAdapter* adapter = AdapterOf(reinterpret_cast<HWND>(wParam));
            HCURSOR custom = adapter ? adapter->Cursor() : nullptr;
            if (!custom) break;
            SetCursor(custom);
            return TRUE;
        }
        case WM_MOUSEMOVE: {  // over the window's own background
            const int keys = static_cast<int>(wParam);
            w_.form_.mouseMove(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                   ((keys & MK_MBUTTON) ? 4 : 0),
                               ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                   (GetKeyState(VK_MENU) < 0 ? 4 : 0),
                               w_.Twips(GET_X_LPARAM(lParam)), w_.Twips(GET_Y_LPARAM(lParam)));
            return 0;
        }
        case WM_ENTERMENULOOP:
            if (w_.menus_) w_.menus_->EnterMenuLoop();
            break;
        case WM_EXITMENULOOP:
            if (w_.menus_) w_.menus_->ExitMenuLoop();
            break;
        case WM_MEASUREITEM: {  // the drive selector's rows, while it is being made
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_COMBOBOX) break;
            item->itemHeight =
                static_cast<UINT>(ImageComboAdapter::RowHeight(w_.Window(), w_.resources_));
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            ControlAdapter* adapter = AdapterOf(item->hwndItem);
            if (!adapter) break;
            adapter->DrawItem(*item);
            return TRUE;
        }
        case WM_TIMER: {
            if (wParam == kToolTipTimerId) {
                w_.MakeToolTips();
                return 0;
            }
            auto found = w_.timers_.find(wParam);
            if (found == w_.timers_.end()) break;
            found->second->tick();
            return 0;
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(w_.Window(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     GetSysColorBrush(static_cast<int>(w_.form_.style().backColor)));
            return 1;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                message, wParam, lParam);
        case WM_SETTINGCHANGE:
            // The text size changed: the message font, and with it the layout.
            if (wParam == SPI_SETNONCLIENTMETRICS) w_.Remake(w_.resources_.dpi);
            break;
        case WM_DPICHANGED: {
            w_.Remake(HIWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(w_.Window(), nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(w_.Window(), message, wParam, lParam);
}

LRESULT CALLBACK FormMessages::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    ui::Dispatch running;  // a handler may unload this very form
    try {
        return self->messages_.Handle(message, wParam, lParam);
    } catch (...) {
        return 0;  // handlers report their own errors; nothing unwinds into the system
    }
}

}  // namespace velkor::win32
