#include "win32/Subclasses.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/Dispatch.h"
#include "win32/Renderer.h"

namespace velkor::win32 {

Subclasses::Subclasses(HWND window, const ui::WindowProcChain& chain, Renderer& renderer)
    : window_(window), chain_(chain), renderer_(renderer) {
    Sync();
}

void Subclasses::Clear() {
    // Newest first, as they were put on.
    for (auto id = installed_.rbegin(); id != installed_.rend(); ++id) {
        RemoveWindowSubclass(window_, &Proc, static_cast<UINT_PTR>(*id));
    }
    installed_.clear();
}

void Subclasses::Sync() {
    std::vector<int> kept;
    for (int id : installed_) {
        if (chain_.installed(id)) {
            kept.push_back(id);
        } else {
            RemoveWindowSubclass(window_, &Proc, static_cast<UINT_PTR>(id));
        }
    }
    for (const ui::WindowProcChain::Entry& entry : chain_.entries()) {
        if (std::find(kept.begin(), kept.end(), entry.id) != kept.end()) continue;
        if (SetWindowSubclass(window_, &Proc, static_cast<UINT_PTR>(entry.id),
                              reinterpret_cast<DWORD_PTR>(this))) {
            kept.push_back(entry.id);
        } else {
            renderer_.Report("SetWindowSubclass", GetLastError());
        }
    }
    installed_ = std::move(kept);
}

const ui::WindowProc* Subclasses::Find(int id) const {
    for (const ui::WindowProcChain::Entry& entry : chain_.entries()) {
        if (entry.id == id) return &entry.proc;
    }
    return nullptr;
}

LRESULT CALLBACK Subclasses::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR self) {
    auto* subclasses = reinterpret_cast<Subclasses*>(self);
    ui::Dispatch running;  // the procedure may unload the form of this window
    std::optional<intptr_t> result;
    try {
        if (const ui::WindowProc* proc = subclasses->Find(static_cast<int>(id))) {
            ui::WindowProc call = *proc;  // it may take itself off the chain
            result = call({message, wParam, lParam});
        }
    } catch (...) {
        result.reset();  // handlers report their own errors; nothing unwinds into the system
    }
    LRESULT answer =
        result ? static_cast<LRESULT>(*result) : DefSubclassProc(window, message, wParam, lParam);
    return answer;
}

}  // namespace velkor::win32
