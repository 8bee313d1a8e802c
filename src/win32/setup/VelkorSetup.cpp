// VelkorSetup.exe: run by the installer package, never installed. It writes the start-up
// settings given to msiexec (LOCKALL=1 MINIMIZE=1 ...) into the installed settings file, which
// every user of the PC reads, and leaves every other value as the file has it:
//   VelkorSetup.exe "C:\Program Files\Velkor\Velkor.ini" LOCKALL=1 RESTORE= ...
// A window program, so that no console flashes up during an install. Exit code 0 when all is
// written; otherwise the install fails and rolls back rather than leave other settings than
// were asked for.
#include <windows.h>

#include <string>
#include <vector>

#include "program/InstallSettings.h"

namespace {

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::vector<std::string> words;
    for (int i = 2; i < argc; ++i) {
        std::string word;
        for (const wchar_t* c = argv[i]; *c; ++c) word += *c < 128 ? char(*c) : '?';
        words.push_back(word);
    }
    const velkor::InstallSettings settings = velkor::SettingsFromProperties(words);
    if (!settings.refusal.empty()) return 1;  // the package's own conditions say why
    for (const velkor::SettingValue& v : settings.values)
        if (!WritePrivateProfileStringW(Wide(v.section).c_str(), Wide(v.key).c_str(),
                                        Wide(v.value).c_str(), argv[1]))
            return 3;
    return 0;
}
