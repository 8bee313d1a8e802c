#include "platform/Convert.h"

#include <limits>

#include "platform/RuntimeError.h"

namespace velkor {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int64_t ToInteger(std::string_view text, int64_t min, int64_t max) {
    size_t i = 0;
    size_t end = text.size();
    while (i < end && IsBlank(text[i])) ++i;
    while (end > i && IsBlank(text[end - 1])) --end;

    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
        while (i < end && IsBlank(text[i])) ++i;  // "- 5" is a number too
    }
    if (i == end) throw TypeMismatch();

    int64_t magnitude = 0;
    bool tooLarge = false;
    for (; i < end; ++i) {
        char c = text[i];
        if (c < '0' || c > '9') throw TypeMismatch();
        if (!tooLarge) {
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > max + 1) tooLarge = true;  // keeps the sum far from int64 limits
        }
    }
    if (tooLarge) throw Overflow();
    int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max) throw Overflow();
    return value;
}

}  // namespace

int16_t ToInt16(std::string_view text) {
    return static_cast<int16_t>(
        ToInteger(text, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

int32_t ToInt32(std::string_view text) {
    return static_cast<int32_t>(
        ToInteger(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace velkor
