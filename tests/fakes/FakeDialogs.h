#pragma once
// Records every message box and answers from a script.
#include <deque>
#include <functional>
#include <vector>

#include "platform/Dialogs.h"

namespace velkor::test {

class FakeDialogs : public Dialogs {
  public:
    std::vector<MessageBoxRequest> shown;
    // Answers in order; when empty, the box's first button (OK or Yes, or Retry).
    std::deque<Answer> answers;
    // Runs once while the next box is open, as the user's input elsewhere meanwhile.
    std::function<void()> whileOpen;

    Answer Show(const MessageBoxRequest& box) override;

    const MessageBoxRequest& last() const { return shown.back(); }
};

}  // namespace velkor::test
