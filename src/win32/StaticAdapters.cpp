// The adapters of the controls drawn as static windows or a group box: labels, frames and
// pictures.
#include <windows.h>

#include <commctrl.h>

#include "ui/Control.h"
#include "win32/ControlAdapters.h"
#include "win32/DpiResources.h"
#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

DWORD AlignmentStyle(ui::Alignment alignment) {
    switch (alignment) {
        case ui::Alignment::Center:
            return SS_CENTER;
        case ui::Alignment::Right:
            return SS_RIGHT;
        case ui::Alignment::Left:
            break;
    }
    return SS_LEFT;
}

}  // namespace

LabelAdapter::LabelAdapter(ControlHost& host, ui::Label& label)
    : ControlAdapter(host, label), label_(label) {}

ControlAdapter::Look LabelAdapter::Describe() const {
    return {WC_STATICW, AlignmentStyle(label_.alignment()) | SS_NOTIFY, Widen(label_.caption())};
}

int LabelAdapter::CaptionMargin(UINT dpi) const {
    return Pixels(30, dpi);
}

void LabelAdapter::SyncOwn(ui::Property property) {
    if (property != ui::Property::Alignment) return;
    auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE));
    style = (style & ~static_cast<DWORD>(SS_TYPEMASK)) | AlignmentStyle(label_.alignment());
    SetWindowLongPtrW(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void LabelAdapter::OnNotify(int code) {
    if (code == STN_CLICKED) label_.click();
}

ControlAdapter::Look FrameAdapter::Describe() const {
    return {WC_BUTTONW, BS_GROUPBOX, Widen(control_.caption())};
}

int FrameAdapter::CaptionMargin(UINT dpi) const {
    // The caption sits in the border, after a short stretch of the line.
    return 4 * SystemMetric(SM_CXEDGE, dpi) + Pixels(120, dpi);
}

PictureAdapter::PictureAdapter(ControlHost& host, ui::Picture& picture)
    : ControlAdapter(host, picture), picture_(picture) {}

ControlAdapter::Look PictureAdapter::Describe() const {
    return {WC_STATICW, SS_BITMAP | SS_NOTIFY, L""};
}

void PictureAdapter::SyncOwn(ui::Property property) {
    if (property != ui::Property::Image) return;
    const std::string& name = picture_.image();
    UniqueBitmap previous = std::move(image_);
    if (!name.empty()) {
        image_.reset(static_cast<HBITMAP>(
            LoadImageW(host_.Instance(), Widen(name).c_str(), IMAGE_BITMAP, 0, 0, 0)));
        if (!image_) host_.Failed("LoadImageW(" + name + ")", GetLastError());
    }
    SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image_.get()));
}

void PictureAdapter::OnNotify(int code) {
    if (code == STN_CLICKED) picture_.click();
}

}  // namespace velkor::win32
