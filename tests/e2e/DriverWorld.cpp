// What the system and other programs do to a running Velkor: drives added and taken away through
// Wine's mount manager, the notifications the system sends, a resume from standby.
#include <windows.h>
// after windows.h
#include <dbt.h>
#include <winioctl.h>

#include <string>

#include "DriverInput.h"

namespace velkor::e2e {
namespace {

// Wine's own request to its mount manager (winecfg's): drive `letter` of `type`, followed by the
// Unix folder and the raw device its offsets point at; DRIVE_NO_ROOT_DIR takes the drive away.
struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDev;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(0x6D /* 'm' */, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineDrive(char letter, ULONG type, const std::string& mountPoint = "",
                 const std::string& device = "") {
    UnixDrive drive{};
    drive.type = type;
    drive.letter = static_cast<WCHAR>(letter | 0x20);
    std::string names;
    if (type == DRIVE_CDROM) {
        drive.mountPointOffset = sizeof drive;
        drive.deviceOffset = static_cast<USHORT>(sizeof drive + mountPoint.size() + 1);
        names = mountPoint + '\0' + device + '\0';
    }
    drive.size = static_cast<ULONG>(sizeof drive + names.size());
    std::string request = std::string(reinterpret_cast<const char*>(&drive), sizeof drive) + names;
    HANDLE manager =
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    const bool done = DeviceIoControl(manager, kDefineUnixDrive, request.data(), drive.size,
                                      nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return done;
}

// What the system sends every top-level window when a volume comes or goes (Wine's mount
// manager does the same, but only for drives it found itself, not for defined ones).
void TellVolume(char letter, WPARAM event) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - 'A');
    DWORD recipients = BSM_APPLICATIONS;
    BroadcastSystemMessageW(BSF_FORCEIFHUNG | BSF_QUERY, &recipients, WM_DEVICECHANGE, event,
                            reinterpret_cast<LPARAM>(&volume));
}

}  // namespace

bool Plug(char letter, const std::string& mountPoint, const std::string& device, bool tell) {
    if (!DefineDrive(letter, DRIVE_CDROM, mountPoint, device)) return false;
    if (tell) TellVolume(letter, DBT_DEVICEARRIVAL);
    return true;
}

bool Unplug(char letter, bool tell) {
    if (!DefineDrive(letter, DRIVE_NO_ROOT_DIR)) return false;
    if (tell) TellVolume(letter, DBT_DEVICEREMOVECOMPLETE);
    return true;
}

bool Resume(bool automatic) {
    DWORD_PTR result = 1;  // sent, as the system sends it
    return SendMessageTimeoutW(MainWindow(), WM_POWERBROADCAST,
                               automatic ? PBT_APMRESUMEAUTOMATIC : PBT_APMRESUMESUSPEND, 0,
                               SMTO_ABORTIFHUNG, 5000, &result) &&
           result == 0;
}

}  // namespace velkor::e2e
