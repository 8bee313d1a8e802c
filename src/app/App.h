#pragma once
// The running program: its ports, its forms and the modules they share. App assembles them:
// each form is handed what it uses, and nothing else reaches App.
#include <functional>

#include "app/Ports.h"
#include "drives/CDOpenClose.h"
#include "forms/Language.h"
#include "forms/about/frmAbout.h"
#include "forms/main/APIStuff.h"
#include "forms/main/frmVelkor.h"
#include "forms/password/CheckPWD.h"
#include "forms/password/frmCheckPWD.h"
#include "forms/password/frmSetPWD.h"
#include "forms/preferences/frmPreferences.h"
#include "password/PasswordFile.h"
#include "profile/IniInOut.h"
#include "program/ActionGate.h"
#include "program/ManagedSettings.h"
#include "program/Session.h"
#include "ui/FormSlot.h"

namespace velkor {

// The program's message boxes: none once the program has ended. A handler still on the stack
// when Exit was confirmed inside one of its waits gets Cancel from every box it tries to show.
class BoxesWhileRunning : public Dialogs {
  public:
    BoxesWhileRunning(Dialogs& boxes, const bool& ended) : boxes_(boxes), ended_(ended) {}
    Answer Show(const MessageBoxRequest& box) override {
        if (ended_) return Answer::Cancel;
        if (captured_ && !(personAsked && personAsked())) {
            *captured_ += (captured_->empty() ? "" : "\r\n") + box.text;
            return Answer::Ok;
        }
        struct Open {
            int& count;
            ~Open() { --count; }
        } open{++open_};
        return boxes_.Show(box);
    }
    bool open() const { return open_ > 0; }
    void Capture(std::string* into) { captured_ = into; }
    std::function<bool()> personAsked;  // the password prompt is open

  private:
    Dialogs& boxes_;
    const bool& ended_;
    int open_ = 0;
    std::string* captured_ = nullptr;
};

class App : public Session {
  public:
    explicit App(Ports ports, ui::FormHost* host = nullptr);

  private:
    bool ended_ = false;
    BoxesWhileRunning boxes_;

  public:
    Ports ports;
    IniInOut ini;
    PasswordFile passwordFile;
    ManagedSettings managed;
    CDOpenClose doors;
    APIStuff trayIcon;  // the notification-area icon of a minimised start
    ui::FormSlot<frmVelkor> mainWindow;
    ui::FormSlot<frmPreferences> preferences;
    ui::FormSlot<frmSetPWD> setPassword;
    ui::FormSlot<frmCheckPWD> checkPassword;
    ui::FormSlot<frmAbout> about;
    Captions captions;
    PasswordCheck password;

    // The language of the program's texts: German when the settings file says 1, English for
    // any other number, and also when the value is missing or not a number.
    bool GermanTexts() const override;

    // Loads the main window (its load is the start-up) and shows it unless start-up decided
    // otherwise. Returns false when the program is to end at once.
    bool Start();
    // Carries out a script's command with no copy running: the main window's load reads the
    // settings and lists the drives, nothing more, and the command runs as in a running copy.
    // `personPresent`: the process runs on the user's desktop, where a prompt can be answered.
    CommandAnswer RunCommandAlone(const Command& command, bool personPresent = true);
    bool personPresent() const override { return personPresent_; }
    bool commandOnly() const override { return commandOnly_; }
    void CaptureBoxes(std::string* into) override { boxes_.Capture(into); }
    bool ended() const override { return ended_; }
    void End() override;
    bool boxOpen() const override { return boxes_.open(); }
    ActionGate& actions() override { return actions_; }

    // Told when the program has ended (the Win32 side leaves its message loop).
    std::function<void()> onEnded;

  protected:
    void RefuseWhileBusy() override;

  private:
    ActionGate actions_;  // one lock, unlock, open, close, resume or exit at a time
    bool commandOnly_ = false;
    bool personPresent_ = true;
};

}  // namespace velkor
