// The drive selector: a drop-down list that draws each entry's picture before its text. Drawn by
// the program rather than an extended combo box, which makes a window more and resizes its list
// twice while it starts: under Wine every one of those is a round trip to the display.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>

#include "ui/ImageCombo.h"
#include "win32/ControlAdapters.h"
#include "win32/DpiResources.h"
#include "win32/FormLayout.h"
#include "win32/Utf.h"

namespace velkor::win32 {

ImageComboAdapter::ImageComboAdapter(ControlHost& host, ui::ImageCombo& combo)
    : ControlAdapter(host, combo), combo_(combo) {}

int ImageComboAdapter::RowHeight(HWND window, const DpiResources& resources) {
    MeasuringDc dc(window, resources.font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    const int dpi = static_cast<int>(resources.dpi);
    return std::max<int>(metrics.tmHeight, DotSize(resources.dpi)) + MulDiv(2, dpi, 96);
}

ImageComboAdapter::Look ImageComboAdapter::Describe() const {
    return {WC_COMBOBOXW,
            CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, L""};
}

RECT ImageComboAdapter::Wanted(UINT dpi, HDC dc) const {
    RECT where = ControlAdapter::Wanted(dpi, dc);
    // The height a combo box is given includes its drop-down list.
    where.bottom = where.top + (where.bottom - where.top) * 8;
    return where;
}

void ImageComboAdapter::Place(const RECT& where) {
    // The box's window is as high as its selection field, not as the height it was given with
    // its list: it moves only when the place it is given changes.
    if (!EqualRect(&placed_, &where)) MoveTo(where);
}

void ImageComboAdapter::ApplyResources(const DpiResources& resources) {
    // The new pictures are in place before the old ones go.
    UniqueImageList previous = std::move(images_);
    images_ = DotList(resources.dpi, combo_.pictures());
    imagesDpi_ = resources.dpi;
    if (!images_) host_.Failed("creating the pictures of " + combo_.name(), GetLastError());
    ControlAdapter::ApplyResources(resources);
    // The box measured its rows when it was made; another DPI needs other rows.
    const int height = RowHeight(host_.Window(), resources);
    if (rowHeight_ != 0 && rowHeight_ != height) {
        for (WPARAM row : {static_cast<WPARAM>(-1), WPARAM{0}}) {
            SendMessageW(hwnd(), CB_SETITEMHEIGHT, row, height);
        }
    }
    rowHeight_ = height;
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
    WPARAM index = 0;
    for (const ui::ComboEntry& entry : combo_.entries()) {
        SendMessageW(hwnd(), CB_INSERTSTRING, index,
                     reinterpret_cast<LPARAM>(Widen(entry.text).c_str()));
        SendMessageW(hwnd(), CB_SETITEMDATA, index++, entry.picture - 1);
    }
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.selectedIndex() - 1), 0);
}

void ImageComboAdapter::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) return;  // nothing chosen: an empty field
    const int dpi = static_cast<int>(imagesDpi_);
    const int dot = DotSize(imagesDpi_);
    const int gap = MulDiv(3, dpi, 96);
    const int picture = static_cast<int>(item.itemData);
    if (images_ && picture >= 0) {
        const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - dot) / 2;
        ImageList_Draw(images_.get(), picture, dc, item.rcItem.left + gap, top, ILD_TRANSPARENT);
    }
    const auto length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, item.itemID, 0);
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)), L'\0');
    if (length > 0) {
        SendMessageW(hwnd(), CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    }
    constexpr UINT kLine = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    // As in the system's lists with pictures: the choice and the focus mark only the text.
    RECT label = item.rcItem;
    label.left += gap + dot + gap;
    RECT measured = label;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, kLine | DT_CALCRECT);
    label.right = std::min<LONG>(label.right, measured.right + 2 * gap);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                 : selected                      ? COLOR_HIGHLIGHTTEXT
                                                                 : COLOR_WINDOWTEXT));
    RECT room = label;
    room.left += gap;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &room, kLine);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        DrawFocusRect(dc, &label);
    }
}

void ImageComboAdapter::OnNotify(int code) {
    if (code != CBN_SELCHANGE) return;
    auto index = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
    combo_.choose(static_cast<int>(index) + 1);
}

}  // namespace velkor::win32
