#pragma once
// The password gate that guarded actions ask. Callers decide whether a password is needed.
#include <memory>

#include "password/PasswordFile.h"
#include "ui/FormSlot.h"

namespace velkor {

class Dialogs;
class EventLoop;
class Session;
class frmCheckPWD;

// One request's answer: the prompt fills in the request it was opened for and no other.
struct PasswordRequest {
    bool answered = false;
    bool accepted = false;
};

class PasswordCheck {
  public:
    PasswordCheck(Session& session, Dialogs& dialogs, const PasswordFile& file, EventLoop& loop,
                  ui::FormSlot<frmCheckPWD>& prompt)
        : session_(session), dialogs_(dialogs), file_(file), loop_(loop), prompt_(prompt) {}

    // Shows the password prompt for this request and waits, every window working meanwhile,
    // until the prompt answers it. True when the stored password was typed; false on Cancel,
    // when the prompt went away unanswered or the program ended meanwhile. A prompt already open
    // for another request is brought to the front and this request refused. A password file
    // that is there but cannot be read refuses at once, and the user is told why.
    bool Ask();

  private:
    Session& session_;
    Dialogs& dialogs_;
    const PasswordFile& file_;
    EventLoop& loop_;
    ui::FormSlot<frmCheckPWD>& prompt_;
};

// Tells the user that the password file cannot be read, naming it and the system's reason.
void TellUnreadable(const PasswordFile& file, const FileError& problem, Dialogs& dialogs,
                    bool german);
// The same when `stored` could not be read; false when it was read (or is missing).
bool RefusedForUnreadableFile(const PasswordFile& file, const StoredPassword& stored,
                              Dialogs& dialogs, bool german);

}  // namespace velkor
