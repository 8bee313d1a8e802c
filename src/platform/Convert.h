#pragma once
// Text to number as the program reads its settings: optional blanks around an optional sign
// and decimal digits. Anything else is "Type mismatch" (13); a number out of range "Overflow" (6).
#include <cstdint>
#include <string_view>

namespace velkor {

int16_t ToInt16(std::string_view text);
int32_t ToInt32(std::string_view text);

}  // namespace velkor
