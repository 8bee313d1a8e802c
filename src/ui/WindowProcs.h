#pragma once
// Window procedures the program puts on a form's window (the notification-area icon's messages,
// power broadcasts). Each sees a message first and either consumes it with a result or passes it
// on to the one installed before it, and finally to the window itself. The renderer chains them
// on the real window; without one, dispatch() runs the same chain.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace velkor::ui {

struct WindowMessage {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// A result consumes the message; nullopt passes it on.
using WindowProc = std::function<std::optional<intptr_t>(const WindowMessage&)>;

class WindowProcChain {
  public:
    struct Entry {
        int id;
        WindowProc proc;
    };

    int install(WindowProc proc) {
        entries_.push_back({nextId_, std::move(proc)});
        return nextId_++;
    }
    // Takes one off the chain, wherever it stands; the others stay linked.
    bool remove(int id) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->id == id) {
                entries_.erase(it);
                return true;
            }
        }
        return false;
    }
    bool installed(int id) const {
        for (const Entry& e : entries_) {
            if (e.id == id) return true;
        }
        return false;
    }
    // In install order: the last one installed sees a message first.
    const std::vector<Entry>& entries() const { return entries_; }

    // The chain as the window would run it, newest first; nullopt when every one passed it on.
    std::optional<intptr_t> dispatch(const WindowMessage& message) const {
        std::vector<Entry> snapshot = entries_;  // a procedure may take itself off
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            if (auto result = it->proc(message)) return result;
        }
        return std::nullopt;
    }

  private:
    std::vector<Entry> entries_;
    int nextId_ = 1;
};

}  // namespace velkor::ui
