#pragma once
// Modal message boxes.
#include <string>

namespace velkor {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry, None };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows the box and returns when the user has answered it.
    virtual Answer Show(const MessageBoxRequest& box) = 0;
};

}  // namespace velkor
