#pragma once
// The password gate that guarded actions ask. Callers decide whether a password is needed.
#include <memory>

namespace velkor {

class App;

// One request's answer: the prompt fills in the request it was opened for and no other.
struct PasswordRequest {
    bool answered = false;
    bool accepted = false;
};

// Shows the password prompt for this request and waits, every window working meanwhile, until
// the prompt answers it. True when the stored password was typed,
// False on Cancel, when the prompt went away unanswered or the program ended meanwhile. A
// prompt already open for another request is brought to the front and this request refused.
// A password file that is there but cannot be read refuses at once, and the user is told why.
bool AskPassword(App& app);

// Tells the user that the password file cannot be read, naming it and the system's reason;
// false when it can be read (or is missing), true when it was refused for that.
bool RefusedForUnreadableFile(App& app);

}  // namespace velkor
