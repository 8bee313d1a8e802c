#include "drives/CDOpenClose.h"

#include "program/Program.h"

namespace velkor {

void CDOpenClose::Door(const std::string& strDrive, const std::string& doorWord) {
    if (strDrive.empty()) {
        multimedia_.SendString("set cdaudio door " + doorWord);
        return;
    }
    if (drives_.TypeOf(strDrive) != DriveType::CdRom) {
        // This message exists only in German.
        dialogs_.Show({"Laufwerk " + strDrive + " ist kein CD-Laufwerk",
                       std::string(program::kTitle), Buttons::Ok, Icon::Critical});
        return;
    }
    // Each command goes out whatever the previous one returned.
    multimedia_.SendString("Open " + strDrive + " Type cdaudio Alias cd");
    multimedia_.SendString("set cd door " + doorWord);
    multimedia_.SendString("close cd");
}

}  // namespace velkor
