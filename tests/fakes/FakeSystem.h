#pragma once
// Recording fakes of the drive, device, multimedia and instance ports.
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/Drives.h"
#include "platform/Instance.h"
#include "platform/Multimedia.h"

namespace velkor::test {

class FakeDrives : public Drives {
  public:
    std::map<char, DriveType> types;  // upper-case letter -> type

    uint32_t LogicalDrives() const override {
        uint32_t mask = 0;
        for (const auto& [letter, type] : types) mask |= 1u << (letter - 'A');
        return mask;
    }
    DriveType TypeOf(std::string_view root) const override {
        if (root.empty()) return DriveType::NoRootDir;
        auto found =
            types.find(static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))));
        return found == types.end() ? DriveType::NoRootDir : found->second;
    }
};

class RecordingDevice : public Device {
  public:
    struct Request {
        std::string drive;
        bool prevent;
        bool operator==(const Request&) const = default;
    };
    std::vector<Request> requests;
    std::map<std::string, DeviceOutcome> failures;  // drive string -> outcome to report

    DeviceOutcome SetMediaRemoval(const std::string& drive, bool prevent) override {
        requests.push_back({drive, prevent});
        auto found = failures.find(drive);
        return found == failures.end() ? DeviceOutcome{} : found->second;
    }
};

class RecordingMultimedia : public Multimedia {
  public:
    std::vector<std::string> commands;

    uint32_t SendString(const std::string& command) override {
        commands.push_back(command);
        return 0;
    }
};

class FakeInstance : public Instance {
  public:
    bool another = false;
    bool AnotherIsRunning() override { return another; }
};

}  // namespace velkor::test
