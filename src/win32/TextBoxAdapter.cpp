// A one-line text box: the model's text, password character, focus and selection go in; the
// user's typing and focus come back.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "ui/TextBox.h"
#include "win32/ControlAdapters.h"
#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

// The UTF-16 offset of the `characters`-th character of `text`.
int Utf16Offset(const std::string& text, size_t characters) {
    int offset = 0;
    size_t seen = 0;
    for (size_t i = 0; i < text.size() && seen < characters; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;
        ++seen;
        offset += byte >= 0xF0 ? 2 : 1;  // beyond the basic plane: a surrogate pair
    }
    return offset;
}

// Sets a flag for the length of a scope, and puts it back however the scope ends.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = before_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    bool before_;
};

}  // namespace

TextBoxAdapter::TextBoxAdapter(ControlHost& host, ui::TextBox& box)
    : ControlAdapter(host, box), box_(box) {}

TextBoxAdapter::Look TextBoxAdapter::Describe() const {
    DWORD style = WS_BORDER | WS_TABSTOP;
    style |= box_.multiLine() ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    if (box_.multiLine() && box_.verticalScrollBar()) style |= WS_VSCROLL;
    if (box_.readOnly()) style |= ES_READONLY;
    if (!box_.passwordChar().empty()) style |= ES_PASSWORD;
    return {WC_EDITW, style, Widen(box_.text())};
}

std::string TextBoxAdapter::Shown() const {
    int length = GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd(), text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

void TextBoxAdapter::SyncOwn(ui::Property property) {
    // What the user is typing belongs to the box: writing it back would move the caret to the
    // start (typed text would come out reversed). Only the model's own changes go in.
    if (reading_ && property == ui::Property::Selection) return;
    FlagScope writing(writing_);
    switch (property) {
        case ui::Property::Text:
            if (reading_ && box_.text() == Shown()) break;
            SetWindowTextW(hwnd(), Widen(box_.text()).c_str());
            break;
        case ui::Property::PasswordChar: {
            std::wstring c = Widen(box_.passwordChar());
            SendMessageW(hwnd(), EM_SETPASSWORDCHAR, c.empty() ? 0 : c[0], 0);
            InvalidateRect(hwnd(), nullptr, TRUE);
            break;
        }
        case ui::Property::ReadOnly:
            SendMessageW(hwnd(), EM_SETREADONLY, box_.readOnly(), 0);
            break;
        case ui::Property::Focus:
            if (box_.hasFocus() && GetFocus() != hwnd()) SetFocus(hwnd());
            break;
        case ui::Property::Selection: {
            int start = Utf16Offset(box_.text(), box_.selStart());
            int end = Utf16Offset(box_.text(), box_.selStart() + box_.selLength());
            SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), end);
            break;
        }
        default:
            break;
    }
}

void TextBoxAdapter::OnNotify(int code) {
    switch (code) {
        case EN_CHANGE: {
            if (writing_) return;
            FlagScope reading(reading_);
            box_.setText(Shown());
            break;
        }
        case EN_SETFOCUS:
            box_.setFocus();
            break;
        case EN_KILLFOCUS:
            box_.loseFocus();
            break;
        default:
            break;
    }
}

}  // namespace velkor::win32
