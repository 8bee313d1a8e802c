#include "program/InstallSettings.h"

#include <algorithm>

namespace velkor {
namespace {

struct Property {
    const char* name;
    const char* section;
    const char* key;
    int highest;
};

// In the order the settings file has its keys.
constexpr Property kProperties[] = {
    {"LOCKALL", "Default", "DeviceAll", 1}, {"RESTORE", "Default", "UseLastState", 1},
    {"MINIMIZE", "Default", "Minimize", 1}, {"STANDBY", "Default", "Standby", 1},
    {"DELAY", "Default", "Delay", 32767},   {"LANGUAGE", "Language", "Language", 1},
};

// A number written with digits only, up to `highest`, without leading zeros; empty if not one.
std::string InRange(const std::string& text, int highest) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    const long number = std::stol(text);
    return number <= highest ? std::to_string(number) : std::string{};
}

// What the package says when it refuses the property (the same words as its conditions).
std::string Allowed(const Property& p) {
    return std::string(p.name) + (p.highest == 1 ? " must be 0 or 1."
                                                 : " must be a number of milliseconds from 0 to " +
                                                       std::to_string(p.highest) + ".");
}

}  // namespace

InstallSettings SettingsFromProperties(const std::vector<std::string>& words) {
    std::string given[std::size(kProperties)];
    for (const std::string& word : words) {
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const auto property = std::find_if(std::begin(kProperties), std::end(kProperties),
                                           [&](const Property& p) { return name == p.name; });
        if (equals == std::string::npos || property == std::end(kProperties))
            return {{}, "Unknown setting \"" + word + "\"."};
        const std::string text = word.substr(equals + 1);
        if (text.empty()) continue;  // not given
        const std::string value = InRange(text, property->highest);
        if (value.empty()) return {{}, Allowed(*property)};
        given[property - std::begin(kProperties)] = value;
    }
    std::string& lockAll = given[0];
    std::string& restore = given[1];
    if (lockAll == "1" && restore == "1")
        return {{}, "LOCKALL=1 and RESTORE=1 cannot be given together."};
    if (lockAll == "1" && restore.empty()) restore = "0";

    InstallSettings settings;
    for (std::size_t i = 0; i < std::size(kProperties); ++i)
        if (!given[i].empty())
            settings.values.push_back({kProperties[i].section, kProperties[i].key, given[i]});
    return settings;
}

}  // namespace velkor
