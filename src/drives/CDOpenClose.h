#pragma once
// Opens and closes one drive's tray door through multimedia command strings.
#include <string>

#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "platform/Multimedia.h"

namespace velkor {

class CDOpenClose {
  public:
    CDOpenClose(Drives& drives, Multimedia& multimedia, Dialogs& dialogs)
        : drives_(drives), multimedia_(multimedia), dialogs_(dialogs) {}

    // An empty drive string addresses the default CD-audio device.
    void MciDoorOpen(const std::string& strDrive) { Door(strDrive, "open"); }
    void MciDoorClose(const std::string& strDrive) { Door(strDrive, "closed"); }

  private:
    void Door(const std::string& strDrive, const std::string& doorWord);

    Drives& drives_;
    Multimedia& multimedia_;
    Dialogs& dialogs_;
};

}  // namespace velkor
