#pragma once
// The start-up settings an installer sets for every user of a PC (msiexec ... LOCKALL=1
// MINIMIZE=1): the package's properties, checked, turned into the settings-file values they
// stand for. A property that was not given (empty) leaves its value as the file has it.
#include <string>
#include <vector>

namespace velkor {

struct SettingValue {
    std::string section;
    std::string key;
    std::string value;

    bool operator==(const SettingValue&) const = default;
};

struct InstallSettings {
    std::vector<SettingValue> values;  // to write, in this order
    std::string refusal;               // why nothing may be written; empty when all is well
};

// From "NAME=VALUE" words, NAME one of LOCKALL, RESTORE, MINIMIZE, STANDBY, DELAY, LANGUAGE.
// The switches and LANGUAGE take 0 or 1, DELAY 0 to 32767 (milliseconds: the installer's
// conditions compare no larger numbers). "UseLastState" = 1 wins over "DeviceAll", so LOCKALL=1
// without RESTORE also turns restoring off, and LOCKALL=1 with RESTORE=1 is refused.
InstallSettings SettingsFromProperties(const std::vector<std::string>& words);

}  // namespace velkor
