#include "win32/ControlAdapter.h"

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "win32/ControlAdapters.h"
#include "win32/DpiResources.h"
#include "win32/Utf.h"

#include <algorithm>

namespace velkor::win32 {

bool ControlAdapter::Create(int id, bool startsGroup) {
    Look look = Describe();
    DWORD style = WS_CHILD | look.style;
    if (startsGroup) style |= WS_GROUP;
    if (control_.visible()) style |= WS_VISIBLE;
    if (!control_.enabled()) style |= WS_DISABLED;
    HWND created = CreateWindowExW(
        0, look.windowClass, look.text.c_str(), style, 0, 0, 10, 10, host_.Window(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), host_.Instance(), nullptr);
    if (!created) {
        host_.Failed("CreateWindowExW(" + control_.name() + ")", GetLastError());
        return false;
    }
    window_.reset(created);
    id_ = id;
    ApplyResources(host_.Resources());
    for (ui::Property p : {ui::Property::Value, ui::Property::Items, ui::Property::PasswordChar,
                           ui::Property::ToolTip}) {
        Sync(p);
    }
    return true;
}

void ControlAdapter::Sync(ui::Property property) {
    HWND self = hwnd();
    if (!self) return;
    switch (property) {
        case ui::Property::Caption:
            if (!isEdit()) SetWindowTextW(self, Widen(control_.caption()).c_str());
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
            InvalidateRect(self, nullptr, TRUE);
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
    const int margin = CaptionMargin();
    if (margin < 0 || control_.caption().empty()) return where;
    std::wstring caption = Widen(control_.caption());
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    // A caption that wraps over several lines by design keeps its width.
    if (where.bottom - where.top >= 2 * (text.bottom - text.top)) return where;
    where.right = std::max<LONG>(where.right, where.left + text.right + margin);
    return where;
}

void ControlAdapter::Place(const RECT& where) {
    MoveWindow(hwnd(), where.left, where.top, where.right - where.left, where.bottom - where.top,
               TRUE);
}

void ControlAdapter::ApplyResources(const DpiResources& resources) {
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(resources.font.get()), TRUE);
}

int StaticAdapter::CaptionMargin() const {
    // A frame's caption sits in its border, after a short stretch of the line.
    return control_.kind() == ui::ControlKind::Frame ? 4 * GetSystemMetrics(SM_CXEDGE) + 8 : 2;
}

StaticAdapter::Look StaticAdapter::Describe() const {
    switch (control_.kind()) {
        case ui::ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX, Widen(control_.caption())};
        default:  // a label or a picture
            return {WC_STATICW, SS_LEFT, Widen(control_.caption())};
    }
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
        case ui::ControlKind::Frame:
        case ui::ControlKind::Picture:
            break;
    }
    return std::make_unique<StaticAdapter>(host, control);
}

}  // namespace velkor::win32
