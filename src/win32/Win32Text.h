#pragma once
#include "platform/Text.h"

namespace velkor::win32 {

// The system ANSI code page (CP_ACP).
class Win32Text : public Text {
  public:
    std::string ToAnsi(std::string_view utf8) const override;
    std::string FromAnsi(std::string_view ansi) const override;
};

}  // namespace velkor::win32
