#pragma once
// The notification-area icon through Shell_NotifyIconW. Keeps what it was asked for (window,
// callback, tooltip), so the icon can be added again when the taskbar comes back.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/Tray.h"
#include "win32/Handles.h"

namespace velkor::win32 {

class Renderer;

class Win32Tray : public Tray {
  public:
    Win32Tray(HINSTANCE instance, Renderer& renderer);
    ~Win32Tray() override { Remove(); }
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;

    bool Add(const ui::Form& owner, uint32_t callbackMessage) override;
    bool SetTip(const std::string& tip) override;
    void GiveFocusBack() override;
    void Remove() override;
    // The shell took the current icon version at the last add.
    bool speaksVersion4() const { return versionSet_; }
    uint32_t TaskbarCreatedMessage() const override { return taskbarCreated_; }

  private:
    HINSTANCE instance_;
    Renderer& renderer_;
    UINT taskbarCreated_;
    NOTIFYICONDATAW data_{};
    UniqueIcon icon_;
    bool shown_ = false;
    bool versionSet_ = false;
};

}  // namespace velkor::win32
