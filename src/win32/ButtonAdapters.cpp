// Check boxes, option buttons and command buttons. The buttons never change their own state:
// a click goes to the model, and the model's value comes back into the button.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/OptionButton.h"
#include "win32/ControlAdapters.h"
#include "win32/DpiResources.h"
#include "win32/Utf.h"

namespace velkor::win32 {

CheckBoxAdapter::CheckBoxAdapter(ControlHost& host, ui::CheckBox& box)
    : ControlAdapter(host, box), box_(box) {}

CheckBoxAdapter::Look CheckBoxAdapter::Describe() const {
    // Three states, so that a greyed box (value 2) shows as greyed.
    return {WC_BUTTONW, BS_3STATE | WS_TABSTOP, Widen(box_.caption())};
}

void CheckBoxAdapter::SyncOwn(ui::Property property) {
    if (property != ui::Property::Value) return;
    static constexpr WPARAM kState[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    SendMessageW(hwnd(), BM_SETCHECK, kState[box_.value()], 0);
}

namespace {
// A check box or an option button: the mark, and the gap between the mark and the text.
int MarkMargin(UINT dpi) {
    return SystemMetric(SM_CXMENUCHECK, dpi) + 3 * SystemMetric(SM_CXEDGE, dpi) + Pixels(60, dpi);
}
}  // namespace

int CheckBoxAdapter::CaptionMargin(UINT dpi) const {
    return MarkMargin(dpi);
}

int OptionButtonAdapter::CaptionMargin(UINT dpi) const {
    return MarkMargin(dpi);
}

int CommandButtonAdapter::CaptionMargin(UINT dpi) const {
    return 6 * SystemMetric(SM_CXEDGE, dpi) + Pixels(120, dpi);
}

void CheckBoxAdapter::OnNotify(int code) {
    if (code == BN_CLICKED) box_.click();
}

OptionButtonAdapter::OptionButtonAdapter(ControlHost& host, ui::OptionButton& option)
    : ControlAdapter(host, option), option_(option) {}

OptionButtonAdapter::Look OptionButtonAdapter::Describe() const {
    return {WC_BUTTONW, BS_RADIOBUTTON | WS_TABSTOP, Widen(option_.caption())};
}

void OptionButtonAdapter::SyncOwn(ui::Property property) {
    if (property != ui::Property::Value) return;
    SendMessageW(hwnd(), BM_SETCHECK, option_.selected() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButtonAdapter::OnNotify(int code) {
    if (code == BN_CLICKED) option_.click();
}

CommandButtonAdapter::CommandButtonAdapter(ControlHost& host, ui::CommandButton& button)
    : ControlAdapter(host, button), button_(button) {}

CommandButtonAdapter::Look CommandButtonAdapter::Describe() const {
    DWORD style = (button_.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    return {WC_BUTTONW, style, Widen(button_.caption())};
}

void CommandButtonAdapter::OnNotify(int code) {
    if (code == BN_CLICKED) button_.click();
}

}  // namespace velkor::win32
