#pragma once
// The program's window procedures on a form's real window: each one is a subclass of the window
// (SetWindowSubclass), so they chain in install order and any one can be taken off without
// breaking the others.
#include <windows.h>

#include <vector>

#include "ui/WindowProcs.h"

namespace velkor::win32 {

class Renderer;

class Subclasses {
  public:
    Subclasses(HWND window, const ui::WindowProcChain& chain, Renderer& renderer);
    ~Subclasses() { Clear(); }
    Subclasses(const Subclasses&) = delete;
    Subclasses& operator=(const Subclasses&) = delete;

    // Puts on the window what the chain has gained and takes off what it has lost.
    void Sync();
    // Takes every one off the window (before the window goes).
    void Clear();

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR self);
    const ui::WindowProc* Find(int id) const;

    HWND window_;
    const ui::WindowProcChain& chain_;
    Renderer& renderer_;
    std::vector<int> installed_;
};

}  // namespace velkor::win32
