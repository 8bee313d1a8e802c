#pragma once
// The media-removal request of an optical drive's device.
#include <string>

namespace velkor {

struct DeviceOutcome {
    bool ok = true;
    unsigned long error = 0;  // the system's error code when not ok
    std::string reason;       // the system's own text for it
};

class Device {
  public:
    virtual ~Device() = default;
    // Opens "\\.\X:" for one request: prevent (true) or allow (false) media removal.
    virtual DeviceOutcome SetMediaRemoval(const std::string& driveString, bool prevent) = 0;
};

}  // namespace velkor
