#pragma once
// HTTP through WinINet, a system DLL: no other library, and the system's proxy settings apply.
#include "platform/Http.h"

namespace velkor::win32 {

class Win32Http : public Http {
  public:
    std::unique_ptr<HttpRequest> Get(const HttpTarget& target, uint32_t stepMs, uint32_t totalMs,
                                     size_t maxBody) override;
};

}  // namespace velkor::win32
