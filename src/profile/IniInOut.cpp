#include "profile/IniInOut.h"

#include "platform/RuntimeError.h"
#include "profile/ProfileFormat.h"
#include "profile/Utf16Text.h"

namespace velkor {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// A file's text as the profile routines see it: after its byte-order mark, and UTF-8 where the
// file is UTF-16. Written back in the file's own encoding, its mark first.
class FileText {
  public:
    FileText(std::string_view bytes, const Text& text) {
        for (std::string_view mark : {kUtf8Bom, kUtf16LeBom, kUtf16BeBom}) {
            if (bytes.starts_with(mark)) bom_ = mark;
        }
        bytes.remove_prefix(bom_.size());
        if (bom_.empty()) {
            body_ = std::string(bytes);
            encoding_ = {[&text](std::string_view s) { return text.FromAnsi(s); },
                         [&text](std::string_view s) {
                             return text.ToAnsi(s);
                         }};
            return;
        }
        body_ = bom_ == kUtf8Bom ? std::string(bytes) : profile::Utf16ToUtf8(bytes, BigEndian());
        auto same = [](std::string_view s) {
            return std::string(s);
        };
        encoding_ = {same, same};
    }

    const std::string& body() const { return body_; }
    const profile::Encoding& encoding() const { return encoding_; }
    std::string Saved(std::string_view body) const {
        if (bom_ == kUtf16LeBom || bom_ == kUtf16BeBom) {
            return std::string(bom_) + profile::Utf8ToUtf16(body, BigEndian());
        }
        return std::string(bom_) + std::string(body);
    }

  private:
    bool BigEndian() const { return bom_ == kUtf16BeBom; }

    std::string_view bom_;
    std::string body_;
    profile::Encoding encoding_;
};

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

IniInOut::Reading IniInOut::Read(std::string_view file) const {
    return Parse(files_.Read(file));
}

IniInOut::Reading IniInOut::Parse(const ReadOutcome& read) const {
    Reading reading;
    if (read.status != ReadOutcome::Status::Ok) return reading;
    const FileText content(read.bytes, text_);
    reading.readable_ = true;
    reading.body_ = content.body();
    reading.decode_ = content.encoding().decode;
    return reading;
}

std::optional<std::string> IniInOut::Reading::Lookup(std::string_view section,
                                                     std::string_view key) const {
    if (!readable_) return std::nullopt;
    std::optional<std::string> value = profile::Lookup(body_, section, key, decode_);
    if (!value) return std::nullopt;
    return FirstCharacters(*value, kMaxValueLength);
}

std::optional<std::string> IniInOut::Lookup(std::string_view file, std::string_view section,
                                            std::string_view key) const {
    return Read(file).Lookup(section, key);
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
    const FileText content(read.bytes, text_);
    std::string updated =
        content.Saved(profile::Assign(content.body(), section, key, value, content.encoding()));
    if (updated == read.bytes) return;  // nothing to change: leave the file alone
    if (std::optional<FileError> failed = files_.Replace(file, updated)) {
        throw RuntimeError(err::kPathAccess, "Path/File access error (" + failed->reason + ")");
    }
}

}  // namespace velkor
