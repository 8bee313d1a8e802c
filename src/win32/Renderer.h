#pragma once
// Turns forms of the model into real windows and controls, keeps them in step with the model,
// and feeds the user's clicks, choices and typing back into it. It knows nothing of what the
// forms mean.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/FormSlot.h"
#include "win32/Handles.h"

namespace velkor::win32 {

class FormWindow;
class Win32EventLoop;

class Renderer : public ui::FormHost {
  public:
    Renderer(HINSTANCE instance, Win32EventLoop& loop);
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // A form's window is made when the form is first shown, when it must take messages while
    // hidden (a running timer, a window procedure: checked once its load has run), or when
    // someone asks for it. Under Wine every window made is a round trip to the display, and
    // most dialogs are loaded at start-up but seldom shown.
    void attach(ui::Form& form) override;
    void loaded(ui::Form& form) override;
    void detach(ui::Form& form) override;

    // The form's window, made now if it was not yet; null for a form not loaded.
    HWND windowOf(const ui::Form& form);
    // The Win32 pop-up menu of one of the form's hidden top-level menus, or null.
    HMENU popupOf(const ui::Form& form, const ui::Menu& top);

    // Something the system refused to make (a window, a control, a font...): `what` names the
    // call and the form or control, `code` is the system's error. Always written to the
    // debugger output as well.
    std::function<void(const std::string& what, unsigned long code)> onFailure;

    // For the form windows.
    HINSTANCE instance() const { return instance_; }
    Win32EventLoop& loop() const { return loop_; }
    // An invisible owner for windows that stay out of the taskbar.
    HWND hiddenOwner();
    void Report(const std::string& what, unsigned long code);

  private:
    HINSTANCE instance_;
    Win32EventLoop& loop_;
    UniqueWindow owner_;
    FormWindow* find(const ui::Form& form) const;

    std::map<const ui::Form*, std::unique_ptr<FormWindow>> windows_;
};

}  // namespace velkor::win32
