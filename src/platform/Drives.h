#pragma once
// The system's drive letters.
#include <cstdint>
#include <string_view>

namespace velkor {

// Drive types as the system numbers them.
enum class DriveType : uint32_t {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

class Drives {
  public:
    virtual ~Drives() = default;
    // Bit 0 is A:, bit 25 is Z:.
    virtual uint32_t LogicalDrives() const = 0;
    // Type of a root path such as "E:" or "E:\".
    virtual DriveType TypeOf(std::string_view root) const = 0;
};

}  // namespace velkor
