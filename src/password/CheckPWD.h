#pragma once
// The password gate that guarded actions ask. Callers decide whether a password is needed.
namespace velkor {

class App;

// Shows the password prompt (or brings up the one already open) and waits in one-second steps,
// every window working meanwhile, until the prompt is answered. True when the stored password
// was typed, False on Cancel. A second call while a prompt is pending shares it: both return
// the same result, the inner one first.
bool AskPassword(App& app);

}  // namespace velkor
