#pragma once
// Stands in for the renderer in the native tests: runs the forms' timers on the fake message
// loop, and counts the pop-up menus it is asked to open.
#include <map>
#include <string>
#include <vector>

#include "fakes/FakeEventLoop.h"
#include "ui/FormSlot.h"

namespace velkor::test {

class FakeFormHost : public ui::FormHost {
  public:
    explicit FakeFormHost(FakeEventLoop& loop) : loop_(loop) {}

    void attach(ui::Form& form) override;
    void detach(ui::Form& form) override;

    int popups = 0;          // pop-up menus opened; the user chooses nothing in them
    std::string lastAnchor;  // "x,y" where the last one opened, "mouse" at the mouse

  private:
    struct Attached {
        std::vector<ui::Subscription> subscriptions;
        std::map<ui::Timer*, FakeEventLoop::TimerId> running;
    };
    void Arm(Attached& attached, ui::Timer& timer);

    FakeEventLoop& loop_;
    std::map<ui::Form*, Attached> forms_;
};

}  // namespace velkor::test
