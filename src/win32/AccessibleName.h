#pragma once
// A control's accessible object as the system makes it, with the name the program gives it:
// the answer to WM_GETOBJECT where the system would name the control wrongly or not at all.
#include <windows.h>

#include <string>

namespace velkor::win32 {

// IAccessible's interface id, spelt out: the one MinGW's libraries link in is not the one the
// system's accessibility layer answers to.
inline constexpr IID kAccessibleId = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// For WM_GETOBJECT with OBJID_CLIENT: the system's object for `control`, answering `name` when
// asked for its own name and passing everything else on. 0 (the system's own answer then) when
// the accessibility layer (oleacc.dll, loaded on first use) is not there.
LRESULT AnswerWithName(HWND control, WPARAM wParam, const std::wstring& name);

}  // namespace velkor::win32
