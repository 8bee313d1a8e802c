#include "win32/Win32Shell.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/RuntimeError.h"
#include "win32/SystemDll.h"
#include "win32/Utf.h"

namespace velkor::win32 {

bool Win32Shell::Open(const std::string& target) {
    std::string failure;
    auto* execute = ShellDll().Find<decltype(ShellExecuteW)>("ShellExecuteW", failure);
    if (!execute) throw RuntimeError(err::kFileNotFound, failure);
    auto result = reinterpret_cast<INT_PTR>(
        execute(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // the documented threshold of success
}

}  // namespace velkor::win32
