#include "fakes/Cp1252Text.h"

#include "profile/Utf16Text.h"

namespace velkor::test {
namespace {

// Code points of the bytes 0x80..0x9F.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string Cp1252Text::ToAnsi(std::string_view utf8) const {
    std::string out;
    for (size_t i = 0; i < utf8.size();) out.push_back(ToByte(profile::NextCodePoint(utf8, i)));
    return out;
}

std::string Cp1252Text::FromAnsi(std::string_view ansi) const {
    std::string out;
    for (char b : ansi) {
        const auto byte = static_cast<unsigned char>(b);
        profile::AppendUtf8(out, (byte >= 0x80 && byte <= 0x9F) ? kHigh[byte - 0x80] : byte);
    }
    return out;
}

}  // namespace velkor::test
