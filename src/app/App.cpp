#include "app/App.h"

#include "app/ErrorCheck.h"
#include "app/Program.h"
#include "platform/Convert.h"

namespace velkor {

App::App(Ports ports_, ui::FormHost* host)
    : ports(ports_),
      ini(ports_.files, ports_.text),
      passwordFile(ini, ports_.files, ports_.text),
      doors(ports_.drives, ports_.multimedia, ports_.dialogs),
      trayIcon(ports_.tray),
      mainWindow([this] { return std::make_unique<frmVelkor>(*this); }, host),
      preferences([this] { return std::make_unique<frmPreferences>(*this); }, host),
      setPassword([this] { return std::make_unique<frmSetPWD>(*this); }, host),
      checkPassword([this] { return std::make_unique<frmCheckPWD>(*this); }, host),
      about([this] { return std::make_unique<frmAbout>(*this); }, host) {}

bool App::GermanTexts() const {
    const std::string file =
        ports.files.ProgramFolder() + "\\" + std::string(program::kSettingsFileName);
    int16_t language = 0;
    Attempt([&] { language = ToInt16(ini.ReadIni(file, "Language", "Language")); });
    return language == 1;
}

bool App::Start() {
    frmVelkor& main = mainWindow.get();
    if (main.endAtOnce()) {
        ended_ = true;
        return false;
    }
    // A minimised start lives in the notification area; the window shows only when the icon
    // could not be added, so that the program is never out of reach.
    if (!main.startsInTray()) main.show();
    return true;
}

void App::End() {
    if (ended_) return;
    if (!mainWindow.unload()) return;
    ended_ = true;
    if (onEnded) onEnded();
}

}  // namespace velkor
