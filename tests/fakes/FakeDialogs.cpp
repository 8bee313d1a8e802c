#include "fakes/FakeDialogs.h"

#include <utility>

namespace velkor::test {

Answer FakeDialogs::Show(const MessageBoxRequest& box) {
    shown.push_back(box);
    if (whileOpen) std::exchange(whileOpen, nullptr)();
    if (!answers.empty()) {
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (box.buttons == Buttons::YesNo || box.buttons == Buttons::YesNoCancel) return Answer::Yes;
    return box.buttons == Buttons::RetryCancel ? Answer::Retry : Answer::Ok;
}

}  // namespace velkor::test
