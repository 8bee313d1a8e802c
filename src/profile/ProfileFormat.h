#pragma once
// The Windows profile-file format ("[section]" lines, "key=value" lines), read and edited as
// the system's profile functions do, but editing in place: a change rewrites only the one line
// it concerns and leaves every other byte of the file as it was.
//
// The functions work on the file's bytes. Line breaks and the characters that give a line its
// meaning ("[", "]", "=", blanks) are ASCII, so lines are split on bytes and each line is turned
// into UTF-8 through `decode` before it is read; `encode` turns the one line written back into
// the file's bytes.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velkor::profile {

using Codec = std::function<std::string(std::string_view)>;

struct Encoding {
    Codec decode;  // file bytes -> UTF-8
    Codec encode;  // UTF-8 -> file bytes
};

// The value of `key` in `section` (UTF-8), with blanks around it dropped and one pair of
// enclosing quotes removed; nothing when the file has no such entry. Names are compared
// without regard to ASCII case; only the first section of a name is searched and the first
// key of a name decides. A key line without "=" has the empty value.
std::optional<std::string> Lookup(std::string_view bytes, std::string_view section,
                                  std::string_view key, const Codec& decode);

// The file's bytes with `key` in `section` set to `value`: the key's line is rewritten, or the
// key is added after the last entry of its section, or the section is added at the end.
// New lines use the file's first line break (CRLF in a file that has none).
std::string Assign(std::string_view bytes, std::string_view section, std::string_view key,
                   std::string_view value, const Encoding& encoding);

// Blanks as the profile functions see them: space, tab, CR, LF, VT, FF and Ctrl+Z.
bool IsBlank(char c);
std::string_view Trim(std::string_view text);

}  // namespace velkor::profile
