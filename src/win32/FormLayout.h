#pragma once
// Where a form's controls go and how large its window is: each control where its caption needs
// it, a frame grown around the controls that begin inside it, the window around everything
// visible.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/Form.h"
#include "win32/ControlAdapter.h"

namespace velkor::win32 {

// A device context of `window` with `font` selected, for measuring text; given back at the end
// of its scope.
class MeasuringDc {
  public:
    MeasuringDc(HWND window, HFONT font)
        : window_(window), dc_(GetDC(window)), previous_(SelectObject(dc_, font)) {}
    ~MeasuringDc() {
        SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_;
};

// Where each control goes (in the order of `adapters`) and the client area that holds them all,
// in pixels at `dpi`, measured in `font` (with a null `window`, on the screen: before the window
// is made, so that it is made at its size).
struct LayoutPlan {
    std::vector<RECT> places;
    SIZE client{};
};
LayoutPlan PlanLayout(HWND window, const ui::Form& form,
                      const std::vector<std::unique_ptr<ControlAdapter>>& adapters, UINT dpi,
                      HFONT font);

// The window's outer size for a client area of `client`, with its styles and menu bar.
SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, bool menuBar);

// Places the controls and sizes `window` (the form's, at `dpi`, in `font`) to hold them. Only
// what changed is moved: under Wine every move is a round trip to the display.
void LayOut(HWND window, const ui::Form& form,
            const std::vector<std::unique_ptr<ControlAdapter>>& adapters, UINT dpi, HFONT font);

// The top left corner that puts a window of `size` in the middle of the work area.
POINT CenteredOnScreen(SIZE size);

}  // namespace velkor::win32
