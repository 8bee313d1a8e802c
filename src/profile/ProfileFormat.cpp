#include "profile/ProfileFormat.h"

#include <vector>

namespace velkor::profile {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// One physical line of the file: [begin, end) is its content, [end, next) its line break.
struct RawLine {
    size_t begin;
    size_t end;
    size_t next;
};

// A line ends at CR LF, LF or a lone CR; the last line may have no line break.
std::vector<RawLine> SplitLines(std::string_view bytes) {
    std::vector<RawLine> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back({pos, bytes.size(), bytes.size()});
            break;
        }
        size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

struct Parsed {
    enum class Kind { Blank, Section, Entry } kind = Kind::Blank;
    std::string name;                  // section or key name, trimmed
    std::optional<std::string> value;  // entries only: text after the first "=", trimmed
};

Parsed ParseLine(std::string_view line) {
    Parsed parsed;
    line = Trim(line);
    if (line.empty()) return parsed;
    if (line.front() == '[') {
        size_t close = line.rfind(']');
        if (close != std::string_view::npos) {  // "[name" without "]" is an entry line
            parsed.kind = Parsed::Kind::Section;
            parsed.name = std::string(Trim(line.substr(1, close - 1)));
            return parsed;
        }
    }
    parsed.kind = Parsed::Kind::Entry;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        parsed.name = std::string(line);
    } else {
        parsed.name = std::string(Trim(line.substr(0, equals)));
        parsed.value = std::string(Trim(line.substr(equals + 1)));
    }
    return parsed;
}

std::string Unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Where a section and a key stand in the file.
struct Location {
    std::optional<size_t> section;    // index of the first "[section]" line
    std::optional<size_t> key;        // index of the key's line in that section
    std::optional<size_t> lastEntry;  // last non-blank line of the section (the header at least)
    Parsed keyLine;
};

Location Locate(std::string_view bytes, const std::vector<RawLine>& lines, std::string_view section,
                std::string_view key, const Codec& decode) {
    Location where;
    section = Trim(section);
    key = Trim(key);
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view raw = bytes.substr(lines[i].begin, lines[i].end - lines[i].begin);
        Parsed line = ParseLine(decode(raw));
        if (line.kind == Parsed::Kind::Section) {
            if (inside) break;  // the first section of the name is the only one searched
            if (SameName(line.name, section)) {
                inside = true;
                where.section = i;
                where.lastEntry = i;
            }
            continue;
        }
        if (!inside || line.kind == Parsed::Kind::Blank) continue;
        where.lastEntry = i;
        if (!where.key && SameName(line.name, key)) {
            where.key = i;
            where.keyLine = std::move(line);
        }
    }
    return where;
}

std::string_view LineBreakOf(std::string_view bytes, const std::vector<RawLine>& lines) {
    for (const RawLine& line : lines) {
        if (line.next > line.end) return bytes.substr(line.end, line.next - line.end);
    }
    return "\r\n";
}

}  // namespace

std::optional<std::string> Lookup(std::string_view bytes, std::string_view section,
                                  std::string_view key, const Codec& decode) {
    std::vector<RawLine> lines = SplitLines(bytes);
    Location where = Locate(bytes, lines, section, key, decode);
    if (!where.key) return std::nullopt;
    return Unquote(where.keyLine.value.value_or(std::string()));
}

std::string Assign(std::string_view bytes, std::string_view section, std::string_view key,
                   std::string_view value, const Encoding& encoding) {
    std::vector<RawLine> lines = SplitLines(bytes);
    Location where = Locate(bytes, lines, section, key, encoding.decode);
    std::string lineBreak(LineBreakOf(bytes, lines));
    std::string result;
    result.reserve(bytes.size() + key.size() + value.size() + section.size() + 8);

    if (where.key) {
        const RawLine& line = lines[*where.key];
        result.append(bytes.substr(0, line.begin));
        result.append(encoding.encode(where.keyLine.name + "=" + std::string(value)));
        result.append(bytes.substr(line.end));
        return result;
    }

    std::string entry = encoding.encode(std::string(Trim(key)) + "=" + std::string(value));
    if (where.section) {
        const RawLine& after = lines[*where.lastEntry];
        result.append(bytes.substr(0, after.end));
        if (after.next == after.end) {  // the last line of the file had no line break
            result.append(lineBreak).append(entry).append(lineBreak);
        } else {
            result.append(bytes.substr(after.end, after.next - after.end));
            result.append(entry).append(lineBreak);
            result.append(bytes.substr(after.next));
        }
        return result;
    }

    result.append(bytes);
    if (!lines.empty() && lines.back().next == lines.back().end) result.append(lineBreak);
    std::string header(1, '[');
    header.append(Trim(section)).push_back(']');
    result.append(encoding.encode(header)).append(lineBreak);
    result.append(entry).append(lineBreak);
    return result;
}

}  // namespace velkor::profile
