#pragma once
// The run as the forms see it: the language of the program's texts, the one action at a time,
// and the end of the run. The program (App) is the one session; the tests' harness runs a real
// one.
#include <functional>
#include <string>

#include "program/ActionGate.h"

namespace velkor {

class Session {
  public:
    virtual ~Session() = default;
    // German when the settings file says 1, English for any other number, a missing or a
    // non-numeric value.
    virtual bool GermanTexts() const = 0;
    // True once the main window has been unloaded: the program is over.
    virtual bool ended() const = 0;
    // Unloads the main window, which ends the program.
    virtual void End() = 0;
    // A message box of the program is open (its own loop runs the other windows meanwhile).
    virtual bool boxOpen() const = 0;
    // The run carries out one command from a script and ends: no start-up, no window, no icon.
    virtual bool commandOnly() const { return false; }
    // Whether a person can see and answer the password prompt (not so for a command run by a
    // task or service without the user's desktop).
    virtual bool personPresent() const { return true; }
    // While set, the texts of the message boxes the program would show are added to `into`
    // (one a line) instead, answered OK; a box shown while the password prompt is open still
    // goes to the person at it. Null ends it.
    virtual void CaptureBoxes(std::string* into) = 0;

    // The gate every user action passes.
    virtual ActionGate& actions() = 0;
    // Runs a user's action unless another one runs; then tells the user so (bringing a waiting
    // password prompt to the front) and returns false.
    bool RunAction(const std::function<void()>& action) {
        if (actions().TryRun(action)) return true;
        RefuseWhileBusy();
        return false;
    }

  protected:
    virtual void RefuseWhileBusy() = 0;
};

}  // namespace velkor
