#pragma once
#include "platform/Dialogs.h"

namespace velkor::win32 {

// MessageBoxW, owned by the thread's active window so the box is modal to it.
class Win32Dialogs : public Dialogs {
  public:
    Answer Show(const MessageBoxRequest& box) override;
};

}  // namespace velkor::win32
