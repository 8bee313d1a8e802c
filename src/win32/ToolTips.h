#pragma once
// The tooltips of one form's controls: one tooltip window, made once the form's window has
// painted; tips set before then wait for it.
#include <windows.h>

#include <map>
#include <string>

#include "win32/Handles.h"

namespace velkor::win32 {

class ToolTips {
  public:
    // Makes the tooltip window for `owner` and gives it the waiting tips; false when the system
    // refused it (the tips then keep waiting).
    bool Make(HWND owner, HINSTANCE instance);
    // The tip of `control`, a child of `owner`; an empty text takes it away.
    void Set(HWND owner, HWND control, const std::string& text);
    void Clear();

  private:
    UniqueWindow window_;
    std::map<HWND, bool> known_;           // controls the tooltip window knows
    std::map<HWND, std::string> waiting_;  // until the tooltip window is made
};

}  // namespace velkor::win32
