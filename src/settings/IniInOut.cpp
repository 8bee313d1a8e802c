#include "settings/IniInOut.h"

#include "platform/RuntimeError.h"
#include "settings/ProfileFormat.h"

namespace velkor {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool HasUtf8Bom(std::string_view bytes) {
    return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

profile::Encoding EncodingOf(std::string_view bytes, const Text& text) {
    if (HasUtf8Bom(bytes)) {
        auto same = [](std::string_view s) {
            return std::string(s);
        };
        return {same, same};
    }
    return {[&text](std::string_view s) { return text.FromAnsi(s); },
            [&text](std::string_view s) {
                return text.ToAnsi(s);
            }};
}

// Cuts UTF-8 text after `count` characters.
std::string FirstCharacters(const std::string& utf8, size_t count) {
    size_t i = 0;
    for (size_t seen = 0; i < utf8.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count) break;
    }
    return utf8.substr(0, i);
}

void RequireOneLine(std::string_view what, std::string_view text) {
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        throw InvalidCall(std::string(what) + " contains a line break");
    }
}

}  // namespace

std::string IniInOut::ReadIni(std::string_view file, std::string_view section,
                              std::string_view key) const {
    return Lookup(file, section, key).value_or(std::string());
}

std::optional<std::string> IniInOut::Lookup(std::string_view file, std::string_view section,
                                            std::string_view key) const {
    ReadOutcome read = files_.Read(file);
    if (read.status != ReadOutcome::Status::Ok) return std::nullopt;
    std::string_view bytes = read.bytes;
    profile::Encoding encoding = EncodingOf(bytes, text_);
    if (HasUtf8Bom(bytes)) bytes.remove_prefix(kUtf8Bom.size());

    std::optional<std::string> value = profile::Lookup(bytes, section, key, encoding.decode);
    if (!value) return std::nullopt;
    return FirstCharacters(*value, kMaxValueLength);
}

void IniInOut::WriteIni(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) {
    RequireOneLine("section name", section);
    RequireOneLine("key name", key);
    RequireOneLine("value", value);
    if (profile::Trim(section).empty() || profile::Trim(key).empty()) {
        throw InvalidCall("empty section or key name");
    }
    if (key.find('=') != std::string_view::npos || section.find(']') != std::string_view::npos) {
        throw InvalidCall("name contains \"=\" or \"]\"");
    }

    ReadOutcome read = files_.Read(file);
    if (read.status == ReadOutcome::Status::Failed) {
        // Writing now would lose the part of the file that could not be read.
        throw RuntimeError(err::kPathAccess, "Path/File access error (" + read.error.reason + ")");
    }
    std::string_view bytes = read.bytes;
    profile::Encoding encoding = EncodingOf(bytes, text_);
    std::string_view bom = HasUtf8Bom(bytes) ? kUtf8Bom : std::string_view();
    bytes.remove_prefix(bom.size());

    std::string updated = std::string(bom) + profile::Assign(bytes, section, key, value, encoding);
    if (updated == read.bytes) return;  // nothing to change: leave the file alone
    if (std::optional<FileError> failed = files_.Replace(file, updated)) {
        throw RuntimeError(err::kPathAccess, "Path/File access error (" + failed->reason + ")");
    }
}

}  // namespace velkor
