#pragma once
// Where the settings file and the password file live: in the program folder.
#include <string>

#include "platform/Files.h"
#include "program/Program.h"

namespace velkor {

inline std::string SettingsFile(const Files& files) {
    return files.ProgramFolder() + "\\" + std::string(program::kSettingsFileName);
}

inline std::string PasswordFilePath(const Files& files) {
    return files.ProgramFolder() + "\\" + std::string(program::kPasswordFileName);
}

}  // namespace velkor
