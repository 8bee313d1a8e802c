#pragma once
// The whole program on fakes: drives, device, multimedia, files, message boxes and a message
// loop with a fake clock. Tests set the machine up, start the program and look at what it did.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/App.h"
#include "fakes/FakeEventLoop.h"
#include "fakes/FakeFormHost.h"
#include "fakes/FakePorts.h"

namespace velkor::test {

class AppHarness : public FakePorts {
  public:
    AppHarness();

    FakeEventLoop loop;
    FakeFormHost formHost;  // runs the forms' timers on the fake loop
    App app;

    std::string iniPath() const { return files.path("Velkor.ini"); }
    // Writes a settings file with section "Default" and "Language" (and "Current" when given).
    void Settings(int deviceAll, int useLastState, int delay = 0, int language = 0,
                  const std::string& current = "", int minimize = 0, int standby = 1);
    // Writes the settings, starts the program and forgets what its start did.
    void Launch(int deviceAll, int useLastState, int language = 0) {
        Settings(deviceAll, useLastState, 0, language);
        app.Start();
        ClearRecords();
    }
    std::string Read(const std::string& section, const std::string& key) {
        return app.ini.ReadIni(iniPath(), section, key);
    }
    frmVelkor& main() { return *app.mainWindow; }
    // Entry texts of the drive selector, joined by "|".
    std::string Entries();
    // Device requests as "+D" (prevent) and "-D" (allow), joined by " ".
    std::string Requests();
    // The texts of the message boxes shown, in order.
    std::vector<std::string> Messages() const;
    // The error report of a settings or password file that could not be written.
    static std::string WriteFailure(std::string_view procName,
                                    std::string_view reason = "Access is denied.");
    std::string passwordPath() const { return files.path("password.txt"); }
    // Writes the password file as the program would store `password` (enciphered).
    void StorePassword(const std::string& password);
    // At `ms` after the start: types `password` into the open password prompt and presses OK,
    // or presses Cancel when no password is given (or unloads the prompt unanswered).
    void AnswerPrompt(uint64_t ms, std::optional<std::string> password, bool unload = false);
    void ClearRecords() {
        device.requests.clear();
        multimedia.commands.clear();
        dialogs.shown.clear();
    }
};

}  // namespace velkor::test
