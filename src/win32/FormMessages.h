#pragma once
// A form window's messages turned into the model's events: commands from its controls and
// menus, the keyboard's default and cancel buttons, the close command, focus, the pointer,
// timers, colours and DPI changes. Apart from FormWindow, which makes, lays out and shows the
// window and its controls: this class only answers what the system sends, reading the window's
// parts.
#include <windows.h>

namespace velkor::win32 {

class ControlAdapter;
class FormWindow;

class FormMessages {
  public:
    explicit FormMessages(FormWindow& window) : w_(window) {}
    FormMessages(const FormMessages&) = delete;
    FormMessages& operator=(const FormMessages&) = delete;

    // The window procedure of every form's window.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT ControlColor(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    ControlAdapter* AdapterOf(HWND control) const;

    FormWindow& w_;
};

}  // namespace velkor::win32
