#pragma once
// What a command prints: to the standard output and error the process was given (a file or a
// pipe gets UTF-8), or to the console of the shell it was started from (as its text).
#include <string_view>

namespace velkor::win32 {

void PrintOut(std::string_view utf8);
void PrintError(std::string_view utf8);

}  // namespace velkor::win32
