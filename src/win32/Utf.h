#pragma once
// UTF-8 inside the program, UTF-16 only at the Windows call.
#include <string>
#include <string_view>

namespace velkor::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The system's own text for an error code, without the trailing line break.
std::string SystemMessage(unsigned long code);

}  // namespace velkor::win32
