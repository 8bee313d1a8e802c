#include "app/App.h"

#include "platform/Convert.h"
#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/SettingsFile.h"

namespace velkor {

namespace {

Ports WithBoxes(const Ports& p, Dialogs& boxes) {
    return {p.files, p.text,     boxes,  p.drives, p.device, p.multimedia,
            p.loop,  p.instance, p.tray, p.http,   p.shell,  p.reply};
}

}  // namespace

App::App(Ports ports_, ui::FormHost* host)
    : boxes_(ports_.dialogs, ended_),
      ports(WithBoxes(ports_, boxes_)),
      ini(ports_.files, ports_.text),
      passwordFile(ini, ports_.files, ports_.text),
      managed(ports_.files),
      doors(ports_.drives, ports_.multimedia, ports.dialogs),
      trayIcon(ports_.tray),
      mainWindow(
          [this] {
              return std::make_unique<frmVelkor>(frmVelkor::Uses{
                  *this, ports.dialogs, ports.files, ports.instance, ports.drives, ports.device,
                  ports.loop, ini, passwordFile, managed, doors, trayIcon, captions, password,
                  ports.reply, preferences, setPassword, checkPassword, about});
          },
          host),
      preferences(
          [this] {
              return std::make_unique<frmPreferences>(frmPreferences::Uses{
                  *this, ports.dialogs, ports.files, ports.http, ports.loop, ini, passwordFile,
                  managed, captions, password, setPassword});
          },
          host),
      setPassword(
          [this] {
              return std::make_unique<frmSetPWD>(
                  frmSetPWD::Uses{*this, ports.dialogs, passwordFile, captions, preferences});
          },
          host),
      checkPassword(
          [this] {
              return std::make_unique<frmCheckPWD>(
                  frmCheckPWD::Uses{*this, ports.dialogs, passwordFile, captions});
          },
          host),
      about(
          [this] {
              return std::make_unique<frmAbout>(*this, ports.dialogs, ports.files, ports.shell);
          },
          host),
      captions(ini, ports.files, ports.dialogs,
               {mainWindow, preferences, setPassword, checkPassword}),
      password(*this, ports.dialogs, passwordFile, ports.loop, checkPassword) {
    boxes_.personAsked = [this] {
        return checkPassword.loaded() && checkPassword->visible();
    };
}

bool App::GermanTexts() const {
    const std::string file = SettingsFile(ports.files);
    int16_t language = 0;
    Attempt([&] { language = ToInt16(ini.ReadIni(file, "Language", "Language")); });
    return language == 1;
}

CommandAnswer App::RunCommandAlone(const Command& command, bool personPresent) {
    commandOnly_ = true;
    personPresent_ = personPresent;
    CommandAnswer answer = mainWindow.get().RunCommand(command);
    mainWindow.unload();
    return answer;
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

void App::RefuseWhileBusy() {
    ports.dialogs.Show({Say(Msg::Busy, GermanTexts()), std::string(program::kTitle), Buttons::Ok,
                        Icon::Information});
    // The action that holds things up may be waiting for its password.
    if (checkPassword.loaded() && checkPassword->visible()) checkPassword->activate();
}

void App::End() {
    if (ended_) return;
    if (!mainWindow.unload()) return;
    ended_ = true;
    // Handlers further out on the stack may still run to their end: they find no form to load.
    mainWindow.close();
    preferences.close();
    setPassword.close();
    checkPassword.close();
    about.close();
    if (onEnded) onEnded();
}

}  // namespace velkor
