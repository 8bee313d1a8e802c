#pragma once
// Profile files saved as UTF-16 with a byte-order mark (Notepad's "Unicode"): their text as
// UTF-8 for the profile routines, and back.
#include <string>
#include <string_view>

namespace velkor::profile {

// `bytes` without the byte-order mark; an odd last byte is dropped, an unpaired surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Bytes that are not UTF-8 become U+FFFD.
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);

void AppendUtf8(std::string& out, char32_t c);
// The next code point of `utf8` from `i`, which moves past it; U+FFFD for bytes that are not
// UTF-8.
char32_t NextCodePoint(std::string_view utf8, size_t& i);

}  // namespace velkor::profile
