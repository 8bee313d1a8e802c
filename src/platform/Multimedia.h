#pragma once
// The multimedia command-string interface.
#include <cstdint>
#include <string>

namespace velkor {

class Multimedia {
  public:
    virtual ~Multimedia() = default;
    // Sends one command string; returns the system's result code (0 = success).
    virtual uint32_t SendString(const std::string& command) = 0;
};

}  // namespace velkor
