#include "win32/ConsoleOutput.h"

#include <windows.h>

#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

// A window program has no console of its own: an inherited handle (redirected output) is used
// as it is; without one, the console of the shell that started it, if there is one.
HANDLE Stream(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN) {
        return handle;
    }
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached) return nullptr;
    handle = GetStdHandle(which);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

void Print(DWORD which, std::string_view utf8) {
    HANDLE stream = Stream(which);
    if (!stream || utf8.empty()) return;
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(stream, &mode)) {
        const std::wstring wide = Widen(utf8);
        WriteConsoleW(stream, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(stream, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
}

}  // namespace

void PrintOut(std::string_view utf8) {
    Print(STD_OUTPUT_HANDLE, utf8);
}

void PrintError(std::string_view utf8) {
    Print(STD_ERROR_HANDLE, utf8);
}

}  // namespace velkor::win32
