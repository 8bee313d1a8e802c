// Fuzzes reading and editing of profile files: the first bytes choose the section and key,
// the rest is the file. Reading must never crash, and a value just written must read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "profile/ProfileFormat.h"

namespace {
std::string Same(std::string_view s) {
    return std::string(s);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velkor::profile;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t cut1 = input.find('\0');
    if (cut1 == std::string_view::npos) cut1 = 0;
    std::string_view section = input.substr(0, cut1);
    input.remove_prefix(std::min(input.size(), cut1 + 1));
    size_t cut2 = input.find('\0');
    if (cut2 == std::string_view::npos) cut2 = 0;
    std::string_view key = input.substr(0, cut2);
    std::string_view file = input.substr(std::min(input.size(), cut2 + 1));

    (void)Lookup(file, section, key, Same);

    // Names the program could write: one line, not blank, no "=" in the key, no "]" in the section.
    auto usable = [](std::string_view name, char forbidden) {
        return !Trim(name).empty() && name.find_first_of("\r\n") == std::string_view::npos &&
               name.find(forbidden) == std::string_view::npos &&
               name.find('\0') == std::string_view::npos;
    };
    if (usable(section, ']') && usable(key, '=') && Trim(section).front() != '[' &&
        Trim(key).front() != '[' && Trim(key).front() != ';') {
        const Encoding same{Same, Same};
        std::string written = Assign(file, section, key, "4711", same);
        auto back = Lookup(written, section, key, Same);
        if (!back || *back != "4711") __builtin_trap();
    }
    return 0;
}
