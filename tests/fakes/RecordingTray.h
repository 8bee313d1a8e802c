#pragma once
// A notification area that records what the program asked of it.
#include <string>
#include <vector>

#include "platform/Tray.h"

namespace velkor::test {

class RecordingTray : public Tray {
  public:
    std::vector<std::string> calls;  // "add 2025", "tip Velkor", "remove"
    bool shown = false;
    bool refuseAdd = false;  // as while the taskbar is not there yet
    static constexpr uint32_t kTaskbarCreated = 0xC123;

    bool Add(const ui::Form&, uint32_t callbackMessage) override {
        calls.push_back("add " + std::to_string(callbackMessage));
        shown = !refuseAdd;
        return shown;
    }
    bool SetTip(const std::string& text) override {
        calls.push_back("tip " + text);
        return shown;
    }
    void GiveFocusBack() override { calls.push_back("focus"); }
    void Remove() override {
        calls.push_back("remove");
        shown = false;
    }
    uint32_t TaskbarCreatedMessage() const override { return kTaskbarCreated; }
};

}  // namespace velkor::test
