// The drive selector: an extended combo box whose entries carry a picture of the image list.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "ui/ImageCombo.h"
#include "win32/ControlAdapters.h"
#include "win32/DpiResources.h"
#include "win32/Utf.h"

namespace velkor::win32 {

ImageComboAdapter::ImageComboAdapter(ControlHost& host, ui::ImageCombo& combo)
    : ControlAdapter(host, combo), combo_(combo) {}

ImageComboAdapter::Look ImageComboAdapter::Describe() const {
    return {WC_COMBOBOXEXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, L""};
}

RECT ImageComboAdapter::Wanted(UINT dpi, HDC dc) const {
    RECT where = ControlAdapter::Wanted(dpi, dc);
    // The height a combo box is given includes its drop-down list.
    where.bottom = where.top + (where.bottom - where.top) * 8;
    return where;
}

void ImageComboAdapter::ApplyResources(const DpiResources& resources) {
    // The new pictures are in place before the old ones go.
    UniqueImageList previous = std::move(images_);
    images_ = DotList(resources.dpi, combo_.pictures());
    if (!images_) host_.Failed("creating the pictures of " + combo_.name(), GetLastError());
    SendMessageW(hwnd(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    ControlAdapter::ApplyResources(resources);
}

void ImageComboAdapter::SyncOwn(ui::Property property) {
    if (property == ui::Property::Items) {
        Fill();
    } else if (property == ui::Property::Selection) {
        // The user's own choice is already shown: setting it again would disturb an open list.
        const auto wanted = static_cast<WPARAM>(combo_.selectedIndex() - 1);
        if (SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) != static_cast<LRESULT>(wanted)) {
            SendMessageW(hwnd(), CB_SETCURSEL, wanted, 0);
        }
    }
}

void ImageComboAdapter::Fill() {
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    int index = 0;
    for (const ui::ComboEntry& entry : combo_.entries()) {
        std::wstring text = Widen(entry.text);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = index++;
        item.pszText = text.data();
        item.iImage = item.iSelectedImage = entry.picture - 1;
        SendMessageW(hwnd(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.selectedIndex() - 1), 0);
}

void ImageComboAdapter::OnNotify(int code) {
    if (code != CBN_SELCHANGE) return;
    auto index = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
    combo_.choose(static_cast<int>(index) + 1);
}

}  // namespace velkor::win32
