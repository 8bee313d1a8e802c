#pragma once
#include <cstdint>

namespace velkor {

inline constexpr uint32_t kPlatformWin32Nt = 2;

class OsVersion {
  public:
    virtual ~OsVersion() = default;
    // The platform identifier; 0 when the query failed.
    virtual uint32_t PlatformId() const = 0;
};

}  // namespace velkor
