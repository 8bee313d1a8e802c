#pragma once
#include "platform/Shell.h"

namespace velkor::win32 {

// Opens with the program the system has registered for the address (browser, mail program).
class Win32Shell : public Shell {
  public:
    bool Open(const std::string& target) override;
};

}  // namespace velkor::win32
