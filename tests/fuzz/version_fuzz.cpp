// Fuzzes reading of the version file, which comes from the network: reading must never crash,
// and what it calls a version must be exactly a 32-bit number written in the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "update/UpdateCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using velkor::VersionFile;
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const VersionFile file = velkor::ParseVersionFile(body);
    const bool ignored = body.empty() || body.find("HTML") != std::string_view::npos;
    if ((file.kind == VersionFile::Kind::Ignored) != ignored) __builtin_trap();
    if (file.kind != VersionFile::Kind::Number) return 0;

    // Blanks, a sign, digits and blanks, then only line breaks.
    size_t i = body.find_first_not_of(" \t");
    if (i == std::string_view::npos) __builtin_trap();
    bool negative = false;
    if (body[i] == '+' || body[i] == '-') {
        negative = body[i] == '-';
        i = body.find_first_not_of(" \t", i + 1);
        if (i == std::string_view::npos) __builtin_trap();
    }
    int64_t value = 0;
    for (; i < body.size() && body[i] >= '0' && body[i] <= '9'; ++i) {
        value = value * 10 + (body[i] - '0');
        if (value > (int64_t{1} << 31)) __builtin_trap();  // too long to be a 32-bit number
    }
    if (body.find_first_not_of(" \t\r\n", i) != std::string_view::npos) __builtin_trap();
    if ((negative ? -value : value) != file.number) __builtin_trap();
    return 0;
}
