#pragma once
// One action at a time. A lock, unlock, open or close, the resume handling, Exit and the
// removal of the password each hold the gate while they run, prompts and message boxes
// included; a request made meanwhile (from the notification-area menu, say) does not start, so
// that no action goes on with another's drive, lock value or password answer.
#include <utility>

namespace velkor {

class ActionGate {
  public:
    bool busy() const { return running_; }

    // Runs `action` unless another action runs. Returns false when it did not run.
    template <class Action>
    bool TryRun(Action&& action) {
        if (running_) return false;
        running_ = true;
        struct Release {
            bool& running;
            ~Release() { running = false; }
        } release{running_};
        std::forward<Action>(action)();
        return true;
    }

  private:
    bool running_ = false;
};

}  // namespace velkor
