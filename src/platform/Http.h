#pragma once
#include <cstdint>
#include <string>

namespace velkor {

struct HttpResult {
    enum class Kind { Ok, TimedOut, Failed } kind = Kind::Failed;
    std::string body;         // with Ok
    unsigned long error = 0;  // with Failed: the system's error code
};

class Http {
  public:
    virtual ~Http() = default;
    virtual HttpResult Get(const std::string& url, uint32_t timeoutMs) = 0;
};

}  // namespace velkor
