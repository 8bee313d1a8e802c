#pragma once
// The Win32 implementations of the drive, device, multimedia and instance ports.
#include "platform/Device.h"
#include "platform/Drives.h"
#include "platform/Instance.h"
#include "platform/Multimedia.h"
#include "win32/Handles.h"

namespace velkor::win32 {

class Win32Drives : public Drives {
  public:
    uint32_t LogicalDrives() const override;
    DriveType TypeOf(std::string_view root) const override;
};

// IOCTL_STORAGE_MEDIA_REMOVAL on "\\.\X:", opened for reading and shared, as the request needs
// no more (write access would need administrator rights, no sharing would fail while a player
// has the disc open).
class Win32Device : public Device {
  public:
    DeviceOutcome SetMediaRemoval(const std::string& driveString, bool prevent) override;
};

class Win32Multimedia : public Multimedia {
  public:
    uint32_t SendString(const std::string& command) override;
};

// A named mutex held for the life of the program.
class Win32Instance : public Instance {
  public:
    bool AnotherIsRunning() override;

  private:
    UniqueKernelHandle mutex_;
};

}  // namespace velkor::win32
