#include "win32/Win32System.h"

#include <windows.h>
// after windows.h
#include <mmsystem.h>
#include <winioctl.h>

#include "platform/RuntimeError.h"
#include "win32/SystemDll.h"
#include "win32/Utf.h"

namespace velkor::win32 {

uint32_t Win32Drives::LogicalDrives() const {
    return GetLogicalDrives();
}

DriveType Win32Drives::TypeOf(std::string_view root) const {
    return static_cast<DriveType>(GetDriveTypeW(Widen(root).c_str()));
}

DeviceOutcome Win32Device::SetMediaRemoval(const std::string& driveString, bool prevent) {
    // Only "X:" makes a device path; anything else would open something else entirely.
    if (driveString.size() != 2 || driveString[1] != ':' || driveString[0] < 'A' ||
        driveString[0] > 'Z') {
        return {false, ERROR_INVALID_NAME, SystemMessage(ERROR_INVALID_NAME)};
    }
    std::wstring path = L"\\\\.\\" + Widen(driveString);
    UniqueFile device(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device) {
        DWORD code = GetLastError();
        return {false, code, SystemMessage(code)};
    }
    PREVENT_MEDIA_REMOVAL request{};
    request.PreventMediaRemoval = prevent ? TRUE : FALSE;
    DWORD returned = 0;
    if (!DeviceIoControl(device.get(), IOCTL_STORAGE_MEDIA_REMOVAL, &request, sizeof request,
                         nullptr, 0, &returned, nullptr)) {
        DWORD code = GetLastError();
        return {false, code, SystemMessage(code)};
    }
    return {};
}

uint32_t Win32Multimedia::SendString(const std::string& command) {
    std::string failure;
    auto* send = MultimediaDll().Find<decltype(mciSendStringW)>("mciSendStringW", failure);
    // A failed command goes unreported, as a drive without a door fails; a missing DLL is told.
    if (!send) throw RuntimeError(err::kFileNotFound, failure);
    wchar_t returned[256] = {};
    return send(Widen(command).c_str(), returned, 255, nullptr);
}

bool Win32Instance::AnotherIsRunning() {
    // One copy per machine, not per session: a second copy in another session (fast user
    // switching, a terminal server) would start by unlocking every drive of the machine.
    mutex_.reset(CreateMutexW(nullptr, FALSE, L"Global\\Velkor.SingleInstance"));
    const DWORD error = GetLastError();
    if (!mutex_) return error == ERROR_ACCESS_DENIED;  // there, created by another user
    return error == ERROR_ALREADY_EXISTS;
}

}  // namespace velkor::win32
