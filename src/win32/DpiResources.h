#pragma once
// What a window draws with at its DPI: the message font and the program's icons at the sizes
// the system asks for. Made anew when the window moves to a monitor of another DPI.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Control.h"

#include "win32/Handles.h"

namespace velkor::win32 {

// DPI of a window (the system's when the window is null or the system has no per-window DPI).
UINT DpiOf(HWND window);

// A system metric (GetSystemMetrics) at `dpi`, for windows on a screen of another DPI.
int SystemMetric(int index, UINT dpi);

// Twips (1440 to the inch) to pixels at `dpi`.
inline int Pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

struct DpiResources {
    UINT dpi = 96;
    // The DPI the forms are laid out at: `dpi`, or more when the user's text size makes the
    // message font larger than the 9 points the layouts were made for, so that the controls
    // grow with their text as a dialog's grow with its font.
    UINT layoutDpi = 96;
    LOGFONTW face{};  // the font's description, for controls that change it
    UniqueFont font;
    UniqueIcon bigIcon;
    UniqueIcon smallIcon;

    // Every resource for `dpi`; what could not be made is named in `failed` (empty on success).
    static DpiResources Make(HINSTANCE instance, UINT dpi, std::string& failed);
};

// The program's icon with sides of `side` pixels (LR_SHARED in `flags`: the system's to keep).
HICON ProgramIcon(HINSTANCE instance, int side, UINT flags = 0);

// The side of a dot at `dpi`.
inline int DotSize(UINT dpi) {
    return MulDiv(16, static_cast<int>(dpi), 96);
}

// An image list of dots in `colours`, sized for `dpi`; empty when the system refused.
UniqueImageList DotList(UINT dpi, const std::vector<ui::Dot>& dots);

}  // namespace velkor::win32
