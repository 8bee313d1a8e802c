#include "win32/Win32Text.h"

#include <windows.h>

#include "win32/Utf.h"

namespace velkor::win32 {

std::string Win32Text::ToAnsi(std::string_view utf8) const {
    std::wstring wide = Widen(utf8);
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                     0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), length,
                        nullptr, nullptr);
    return ansi;
}

std::string Win32Text::FromAnsi(std::string_view ansi) const {
    if (ansi.empty()) return {};
    int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return Narrow(wide);
}

}  // namespace velkor::win32
