#pragma once
// Window message numbers and values the program's window procedures look at.
#include <cstdint>

namespace velkor::msg {

inline constexpr uint32_t kNull = 0x0000;
inline constexpr uint32_t kNcDestroy = 0x0082;
inline constexpr uint32_t kSysCommand = 0x0112;
inline constexpr uint32_t kScMinimize = 0xF020;
inline constexpr uint32_t kScRestore = 0xF120;
inline constexpr uint32_t kUser = 0x0400;
inline constexpr uint32_t kPowerBroadcast = 0x0218;
inline constexpr uint32_t kPbtApmResumeSuspend = 0x0007;
inline constexpr uint32_t kDeviceChange = 0x0219;
inline constexpr uint32_t kDbtDevNodesChanged = 0x0007;
inline constexpr uint32_t kDbtDeviceArrival = 0x8000;
inline constexpr uint32_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr uint32_t kEnterMenuLoop = 0x0211;
inline constexpr uint32_t kExitMenuLoop = 0x0212;
inline constexpr uint32_t kTrayCallback = 2025;  // the notification icon's callback message
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonUp = 0x0202;
inline constexpr uint32_t kLButtonDblClk = 0x0203;
inline constexpr uint32_t kRButtonUp = 0x0205;

}  // namespace velkor::msg
