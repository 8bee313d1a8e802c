#pragma once
// Window message numbers and values the program's window procedures look at.
#include <cstdint>

namespace velkor::msg {

inline constexpr uint32_t kCopyData = 0x004A;
inline constexpr uint32_t kSysCommand = 0x0112;
inline constexpr uint32_t kScMinimize = 0xF020;
inline constexpr uint32_t kScRestore = 0xF120;
inline constexpr uint32_t kPowerBroadcast = 0x0218;
inline constexpr uint32_t kPbtApmSuspend = 0x0004;
inline constexpr uint32_t kPbtApmResumeSuspend = 0x0007;
inline constexpr uint32_t kPbtApmResumeAutomatic = 0x0012;
inline constexpr uint32_t kDeviceChange = 0x0219;
inline constexpr uint32_t kDbtDevNodesChanged = 0x0007;
inline constexpr uint32_t kDbtDeviceArrival = 0x8000;
inline constexpr uint32_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr uint32_t kDbtDevTypVolume = 0x0002;
inline constexpr uint32_t kEnterMenuLoop = 0x0211;
inline constexpr uint32_t kExitMenuLoop = 0x0212;
inline constexpr uint32_t kTrayCallback = 2025;  // the notification icon's callback message
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonUp = 0x0202;
inline constexpr uint32_t kRButtonUp = 0x0205;
// The icon's events: chosen with the mouse, or with Enter or Space; its menu asked for with a
// right click, the menu key or Shift+F10.
inline constexpr uint32_t kNinSelect = 0x0400;
inline constexpr uint32_t kNinKeySelect = 0x0401;
inline constexpr uint32_t kContextMenu = 0x007B;

// What a device notification's lParam points to when it is about volumes: the system's
// DEV_BROADCAST_VOLUME, field for field.
struct VolumeBroadcast {
    uint32_t size = sizeof(VolumeBroadcast);
    uint32_t deviceType = kDbtDevTypVolume;
    uint32_t reserved = 0;
    uint32_t unitMask = 0;  // bit 0 for A:, bit 25 for Z:
    uint16_t flags = 0;
};

// The drive letters (bit 0 for A:) a device notification names: none unless it is about volumes.
inline uint32_t VolumesOf(intptr_t lParam) {
    if (lParam == 0) return 0;
    const auto* header = reinterpret_cast<const VolumeBroadcast*>(lParam);
    if (header->deviceType != kDbtDevTypVolume || header->size < sizeof(VolumeBroadcast) - 2) {
        return 0;
    }
    return header->unitMask;
}

}  // namespace velkor::msg
