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
    switch (box.buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::RetryCancel:
            return Answer::Retry;
        default:
            return Answer::Ok;
    }
}

}  // namespace velkor::test
