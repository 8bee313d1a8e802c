#include "win32/Win32Dialogs.h"

#include <windows.h>

#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

UINT ButtonFlags(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
            return MB_OKCANCEL;
        case Buttons::YesNo:
            return MB_YESNO;
        case Buttons::YesNoCancel:
            return MB_YESNOCANCEL;
        case Buttons::RetryCancel:
            return MB_RETRYCANCEL;
        case Buttons::Ok:
            break;
    }
    return MB_OK;
}

UINT IconFlags(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return MB_ICONHAND;
        case Icon::Question:
            return MB_ICONQUESTION;
        case Icon::Exclamation:
            return MB_ICONEXCLAMATION;
        case Icon::Information:
            return MB_ICONASTERISK;
        case Icon::None:
            break;
    }
    return 0;
}

Answer AnswerOf(int result) {
    switch (result) {
        case IDOK:
            return Answer::Ok;
        case IDCANCEL:
            return Answer::Cancel;
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        case IDRETRY:
            return Answer::Retry;
        default:
            return Answer::None;
    }
}

}  // namespace

Answer Win32Dialogs::Show(const MessageBoxRequest& box) {
    int result = MessageBoxW(GetActiveWindow(), Widen(box.text).c_str(), Widen(box.title).c_str(),
                             ButtonFlags(box.buttons) | IconFlags(box.icon) | MB_SETFOREGROUND);
    return AnswerOf(result);
}

}  // namespace velkor::win32
