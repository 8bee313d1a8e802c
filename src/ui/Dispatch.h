#pragma once
// The one rule for things that go away while the program's handlers run. Whatever calls into
// the handlers from outside (a window procedure, a scripted message in the tests) does so
// inside a Dispatch. A form unloaded by one of its own handlers, or by a handler further out on
// the stack, and the window that showed it, are released here: they are freed only when the
// outermost dispatch ends, in the order they were released, so that no handler returns into
// freed memory however deeply the waits and prompts nest.
#include <memory>

namespace velkor::ui {

class Dispatch {
  public:
    Dispatch();
    ~Dispatch();
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

    // True while a handler may be on the stack.
    static bool Running();

    // Frees `gone` at once when no dispatch runs, otherwise when the outermost one ends.
    template <class T>
    static void Release(std::unique_ptr<T> gone) {
        if (gone) Keep(std::shared_ptr<void>(std::move(gone)));
    }

  private:
    static void Keep(std::shared_ptr<void> gone);
    static void FreeReleased();
};

}  // namespace velkor::ui
