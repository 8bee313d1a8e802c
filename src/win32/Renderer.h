#pragma once
// Turns forms of the model into real windows and controls, keeps them in step with the model,
// and feeds the user's clicks, choices and typing back into it. It knows nothing of what the
// forms mean.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "ui/FormSlot.h"

namespace velkor::win32 {

class Win32EventLoop;

class Renderer : public ui::FormHost {
  public:
    Renderer(HINSTANCE instance, Win32EventLoop& loop);
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void attach(ui::Form& form) override;
    void detach(ui::Form& form) override;

    HWND windowOf(const ui::Form& form) const;
    // The user asked to close a form that still has its Close command.
    std::function<void(ui::Form&)> onCloseRequest;

    struct FormWindow;

  private:
    HINSTANCE instance_;
    Win32EventLoop& loop_;
    std::map<const ui::Form*, std::unique_ptr<FormWindow>> windows_;
};

}  // namespace velkor::win32
