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

// Places the controls and sizes `window` (the form's, at `dpi`, in `font`) to hold them. Only
// what changed is moved: under Wine every move is a round trip to the display.
void LayOut(HWND window, const ui::Form& form,
            const std::vector<std::unique_ptr<ControlAdapter>>& adapters, UINT dpi, HFONT font);

// Puts `window` in the middle of the work area.
void CenterOnScreen(HWND window);

}  // namespace velkor::win32
