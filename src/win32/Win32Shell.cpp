#include "win32/Win32Shell.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "win32/Utf.h"

namespace velkor::win32 {

bool Win32Shell::Open(const std::string& target) {
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // the documented threshold of success
}

}  // namespace velkor::win32
