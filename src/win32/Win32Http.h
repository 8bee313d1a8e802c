#pragma once
// HTTP through WinINet, a system DLL: no other library, and the system's proxy settings apply.
#include "platform/Http.h"

namespace velkor::win32 {

class Win32Http : public Http {
  public:
    HttpResult Get(const std::string& host, const std::string& path, uint32_t timeoutMs,
                   size_t maxBody) override;
};

}  // namespace velkor::win32
