#pragma once
// Where the settings file lives: "Velkor.ini" in the program folder.
#include <string>

#include "app/Program.h"
#include "platform/Files.h"

namespace velkor {

inline std::string SettingsFile(const Files& files) {
    return files.ProgramFolder() + "\\" + std::string(program::kSettingsFileName);
}

}  // namespace velkor
