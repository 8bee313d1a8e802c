#include "app/App.h"

namespace velkor {

App::App(Ports ports_, ui::FormHost* host)
    : ports(ports_),
      ini(ports_.files, ports_.text),
      doors(ports_.drives, ports_.multimedia, ports_.dialogs),
      mainWindow([this] { return std::make_unique<frmVelkor>(*this); }, host),
      preferences([] { return std::make_unique<frmPreferences>(); }, host) {}

bool App::Start() {
    frmVelkor& main = mainWindow.get();
    if (main.endAtOnce()) {
        ended_ = true;
        return false;
    }
    // The notification-area start (Minimize = 1) comes with the tray icon; until then the
    // window is always shown, so the program can never be out of reach.
    main.show();
    return true;
}

void App::End() {
    if (ended_) return;
    if (!mainWindow.unload()) return;
    ended_ = true;
    if (onEnded) onEnded();
}

}  // namespace velkor
