#include "ui/Dispatch.h"

#include <vector>

namespace velkor::ui {
namespace {

// One user-interface thread: the depth and what waits for the outermost end are per thread.
thread_local int depth = 0;
thread_local std::vector<std::shared_ptr<void>> released;

}  // namespace

Dispatch::Dispatch() {
    ++depth;
}

Dispatch::~Dispatch() {
    if (--depth == 0) FreeReleased();
}

bool Dispatch::Running() {
    return depth > 0;
}

void Dispatch::Keep(std::shared_ptr<void> gone) {
    released.push_back(std::move(gone));
    if (depth == 0) FreeReleased();
}

void Dispatch::FreeReleased() {
    // Freeing one may release more (a form that unloads another as it goes): those go too, after
    // it. The depth is held up meanwhile, so that nothing freed here frees another early.
    ++depth;
    for (size_t i = 0; i < released.size(); ++i) {
        std::shared_ptr<void> one = std::move(released[i]);  // the list may grow meanwhile
        one.reset();
    }
    released.clear();
    --depth;
}

}  // namespace velkor::ui
