#include "win32/ControlAdapter.h"

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/Dispatch.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "win32/AccessibleName.h"
#include "win32/ControlAdapters.h"
#include "win32/DpiResources.h"
#include "win32/Utf.h"

#include <windowsx.h>

#include <algorithm>

namespace velkor::win32 {

bool ControlAdapter::Create(int id, bool startsGroup, const RECT& at) {
    Look look = Describe();
    DWORD style = WS_CHILD | look.style;
    if (startsGroup) style |= WS_GROUP;
    if (control_.visible()) style |= WS_VISIBLE;
    if (!control_.enabled()) style |= WS_DISABLED;
    if (control_.tabStop()) style |= WS_TABSTOP;
    HWND created = CreateWindowExW(0, look.windowClass, look.text.c_str(), style, at.left, at.top,
                                   at.right - at.left, at.bottom - at.top, host_.Window(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   host_.Instance(), nullptr);
    if (!created) {
        host_.Failed("CreateWindowExW(" + control_.name() + ")", GetLastError());
        return false;
    }
    window_.reset(created);
    id_ = id;
    placed_ = at;
    SetWindowSubclass(created, &MouseProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (control_.tabStop())
        SetWindowSubclass(created, &KeyProc, 0, reinterpret_cast<DWORD_PTR>(this));
    ApplyResources(host_.Resources());
    for (ui::Property p : {ui::Property::Value, ui::Property::Items, ui::Property::PasswordChar,
                           ui::Property::ToolTip, ui::Property::Image}) {
        Sync(p);
    }
    return true;
}

ControlAdapter::~ControlAdapter() {
    if (!hwnd()) return;
    RemoveWindowSubclass(hwnd(), &MouseProc, 0);
    RemoveWindowSubclass(hwnd(), &KeyProc, 0);
}

namespace {
// The buttons and keys held during a mouse move, as the model counts them.
int ButtonsOf(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
           ((keys & MK_MBUTTON) ? 4 : 0);
}
int ShiftOf(WPARAM keys) {
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
           ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}
}  // namespace

LRESULT CALLBACK ControlAdapter::MouseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const std::string name = reinterpret_cast<ControlAdapter*>(self)->control_.accessibleName();
        if (!name.empty())
            if (LRESULT named = AnswerWithName(window, wParam, Widen(name))) return named;
    }
    if (message == WM_MOUSEMOVE) {
        auto* adapter = reinterpret_cast<ControlAdapter*>(self);
        const ControlHost& host = adapter->host_;
        ui::Dispatch running;
        try {
            adapter->control_.mouseMove(ButtonsOf(wParam), ShiftOf(wParam),
                                        host.Twips(GET_X_LPARAM(lParam)),
                                        host.Twips(GET_Y_LPARAM(lParam)));
        } catch (...) {
            // handlers report their own errors; nothing unwinds into the system
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// A control the system's kind does not take the focus for (a static used as a link): Enter and
// Space act on it, past the dialog keys' usual meaning, and it shows a focus mark while it
// has the focus.
LRESULT CALLBACK ControlAdapter::KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    auto activates = [](WPARAM key) {
        return key == VK_RETURN || key == VK_SPACE;
    };
    switch (message) {
        case WM_GETDLGCODE: {
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key && key->message == WM_KEYDOWN && activates(key->wParam))
                return DLGC_WANTMESSAGE;
            break;
        }
        case WM_KEYDOWN:
            if (!activates(wParam)) break;
            try {
                ui::Dispatch running;
                reinterpret_cast<ControlAdapter*>(self)->control_.keyActivate();
            } catch (...) {
                // handlers report their own errors; nothing unwinds into the system
            }
            return 0;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L' ') return 0;  // acted on at the key press
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, TRUE);
            break;
        case WM_PAINT: {
            const LRESULT painted = DefSubclassProc(window, message, wParam, lParam);
            if (GetFocus() == window) {
                RECT mark{};
                GetClientRect(window, &mark);
                HDC dc = GetDC(window);
                DrawFocusRect(dc, &mark);
                ReleaseDC(window, dc);
            }
            return painted;
        }
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

HCURSOR ControlAdapter::Cursor() {
    if (control_.mousePointer() != ui::MousePointer::Custom || control_.mouseIcon().empty()) {
        return nullptr;
    }
    if (!cursor_) {
        // An icon file becomes a pointer whose hot spot is the tip of the drawing's finger:
        // three eighths across, at the top.
        UniqueIcon icon(
            static_cast<HICON>(LoadImageW(nullptr, Widen(control_.mouseIcon()).c_str(), IMAGE_ICON,
                                          0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
        ICONINFO info{};
        if (!icon || !GetIconInfo(icon.get(), &info)) return nullptr;
        UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
        BITMAP size{};
        GetObjectW(info.hbmMask, sizeof size, &size);
        info.fIcon = FALSE;
        info.xHotspot = static_cast<DWORD>(size.bmWidth * 3 / 8);
        info.yHotspot = static_cast<DWORD>(size.bmWidth / 16);
        cursor_.reset(CreateIconIndirect(&info));
    }
    return cursor_.get();
}

void ControlAdapter::Sync(ui::Property property) {
    HWND self = hwnd();
    if (!self) return;
    switch (property) {
        case ui::Property::Caption:
            if (is(ui::ControlKind::TextBox)) break;  // the text is the user's
            SetWindowTextW(self, Widen(control_.caption()).c_str());
            host_.Layout();  // a longer caption (another language) may need more room
            break;
        case ui::Property::Enabled:
            EnableWindow(self, control_.enabled());
            break;
        case ui::Property::Visible:
            ShowWindow(self, control_.visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case ui::Property::ToolTip:
            host_.SetToolTip(self, control_.toolTip());
            break;
        case ui::Property::Bounds:
            host_.Layout();
            break;
        case ui::Property::BackColor:
        case ui::Property::ForeColor:
            InvalidateRect(self, nullptr, TRUE);
            break;
        case ui::Property::Font:
            ApplyResources(host_.Resources());
            host_.Layout();
            break;
        case ui::Property::MousePointer:
        case ui::Property::MouseIcon:
            cursor_.reset();  // made again from the new icon at the next move
            break;
        default:
            SyncOwn(property);
            break;
    }
}

RECT ControlAdapter::Wanted(UINT dpi, HDC dc) const {
    const ui::Bounds& b = control_.bounds();
    RECT where{Pixels(b.left, dpi), Pixels(b.top, dpi), Pixels(b.left + b.width, dpi),
               Pixels(b.top + b.height, dpi)};
    const int margin = CaptionMargin(dpi);
    if (margin < 0 || control_.caption().empty()) return where;
    HGDIOBJ previous = ownFont_ ? SelectObject(dc, ownFont_.get()) : nullptr;
    const std::wstring caption = Widen(control_.caption());
    RECT line{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &line, DT_CALCRECT | DT_SINGLELINE);
    const int height = where.bottom - where.top;
    // Only a label wraps its caption; a button draws it on one line whatever its height.
    if (!is(ui::ControlKind::Label) || height < 2 * (line.bottom - line.top)) {
        where.right = std::max<LONG>(where.right, where.left + line.right + margin);
    } else {
        // A caption that wraps over several lines by design keeps its height: it widens only
        // as far as its text needs to fit in those lines (a longer translation).
        LONG width = where.right - where.left;
        while (width < line.right + margin) {
            RECT wrapped{0, 0, width, 0};
            DrawTextW(dc, caption.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
            if (wrapped.bottom <= height) break;
            width += Pixels(120, dpi);
        }
        where.right = where.left + width;
    }
    if (previous) SelectObject(dc, previous);
    return where;
}

void ControlAdapter::Place(const RECT& where) {
    RECT now{};
    GetWindowRect(hwnd(), &now);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &where)) return;  // a move costs a round trip to the display under Wine
    MoveTo(where);
}

void ControlAdapter::MoveTo(const RECT& where) {
    MoveWindow(hwnd(), where.left, where.top, where.right - where.left, where.bottom - where.top,
               TRUE);
    placed_ = where;
}

void ControlAdapter::ApplyResources(const DpiResources& resources) {
    const ui::Font& wanted = control_.font();
    UniqueFont previous = std::move(ownFont_);  // freed once the control holds the new one
    HFONT font = resources.font.get();
    if (wanted != ui::Font{}) {
        LOGFONTW face = resources.face;
        if (wanted.size > 0)
            face.lfHeight = -MulDiv(wanted.size, static_cast<int>(resources.dpi), 72);
        if (wanted.bold) face.lfWeight = FW_BOLD;
        face.lfUnderline = wanted.underline ? TRUE : FALSE;
        ownFont_.reset(CreateFontIndirectW(&face));
        if (ownFont_) font = ownFont_.get();
    }
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::unique_ptr<ControlAdapter> MakeAdapter(ControlHost& host, ui::Control& control) {
    switch (control.kind()) {
        case ui::ControlKind::CheckBox:
            return std::make_unique<CheckBoxAdapter>(host, static_cast<ui::CheckBox&>(control));
        case ui::ControlKind::OptionButton:
            return std::make_unique<OptionButtonAdapter>(host,
                                                         static_cast<ui::OptionButton&>(control));
        case ui::ControlKind::CommandButton:
            return std::make_unique<CommandButtonAdapter>(host,
                                                          static_cast<ui::CommandButton&>(control));
        case ui::ControlKind::TextBox:
            return std::make_unique<TextBoxAdapter>(host, static_cast<ui::TextBox&>(control));
        case ui::ControlKind::ImageCombo:
            return std::make_unique<ImageComboAdapter>(host, static_cast<ui::ImageCombo&>(control));
        case ui::ControlKind::Label:
            return std::make_unique<LabelAdapter>(host, static_cast<ui::Label&>(control));
        case ui::ControlKind::Frame:
            return std::make_unique<FrameAdapter>(host, control);
        case ui::ControlKind::Picture:
            return std::make_unique<PictureAdapter>(host, static_cast<ui::Picture&>(control));
    }
    return nullptr;
}

}  // namespace velkor::win32
