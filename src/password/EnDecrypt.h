#pragma once
// The password cipher: each single-byte code of the text is shifted up (Encrypt) or down
// (Decrypt) by the code of the key character at the same position, the key repeating as often
// as the text needs, wrapped back into 0..255 by 255 (not 256). Stored password files depend on
// these exact rules.
//
// Both texts are byte strings in the system ANSI code page; the caller converts.
#include <string>
#include <string_view>

namespace velkor {

// The fixed key every caller passes.
inline constexpr std::string_view PWDKey = "Hq7Xt2Lm9Pz4Wk8Rb3Nv6Yc1Jd5Gs0Fa";

// The result has as many bytes as the text. An empty key raises "Invalid procedure call" (5).
std::string Encrypt(std::string_view text, std::string_view key);
std::string Decrypt(std::string_view text, std::string_view key);

}  // namespace velkor
