#pragma once
// Where the settings file lives: "Velkor.ini" in the program folder.
#include <string>

#include "platform/Files.h"
#include "program/Program.h"

namespace velkor {

inline std::string SettingsFile(const Files& files) {
    return files.ProgramFolder() + "\\" + std::string(program::kSettingsFileName);
}

}  // namespace velkor
