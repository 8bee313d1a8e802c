#include "win32/Renderer.h"

#include <commctrl.h>

#include "program/Timeline.h"
#include "ui/Dispatch.h"
#include "win32/DpiResources.h"
#include "win32/FormMessages.h"
#include "win32/FormWindow.h"
#include "win32/Utf.h"
#include "win32/Win32EventLoop.h"

namespace velkor::win32 {

Renderer::Renderer(HINSTANCE instance, Win32EventLoop& loop) : instance_(instance), loop_(loop) {
    // The standard controls in their themed version, and tooltips.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&controls)) Report("InitCommonControlsEx", GetLastError());
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &FormMessages::WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The program's icons at the system's DPI: a window made with them has them from the start,
    // instead of a change of its icons right after (one more round trip to the display each).
    cls.hIcon = ProgramIcon(instance, GetSystemMetrics(SM_CXICON), LR_SHARED);
    cls.hIconSm = ProgramIcon(instance, GetSystemMetrics(SM_CXSMICON), LR_SHARED);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kFormClass;
    // A second renderer in the same process (tests) finds the class there already.
    if (!RegisterClassExW(&cls) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        Report("RegisterClassExW", GetLastError());
    }
}

Renderer::~Renderer() {
    windows_.clear();
}

void Renderer::Report(const std::string& what, unsigned long code) {
    std::string text = "Velkor: " + what + " failed: " + SystemMessage(code) + "\n";
    OutputDebugStringW(Widen(text).c_str());
    if (onFailure) {
        try {
            onFailure(what, code);
        } catch (...) {
            // Telling the user failed as well; the debugger output has it.
        }
    }
}

HWND Renderer::hiddenOwner() {
    if (!owner_) {
        HWND made = CreateWindowExW(0, kFormClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    instance_, nullptr);
        if (!made) Report("CreateWindowExW(owner)", GetLastError());
        owner_.reset(made);
    }
    return owner_.get();
}

void Renderer::attach(ui::Form& form) {
    auto window = std::make_unique<FormWindow>(*this, form);
    FormWindow& created = *window;
    windows_[&form] = std::move(window);
    created.CreateWhenShown();
}

void Renderer::loaded(ui::Form& form) {
    if (FormWindow* window = find(form)) window->Loaded();
}

FormWindow* Renderer::find(const ui::Form& form) const {
    auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.get();
}

void Renderer::detach(ui::Form& form) {
    auto found = windows_.find(&form);
    if (found == windows_.end()) return;
    std::unique_ptr<FormWindow> window = std::move(found->second);
    windows_.erase(found);
    window->Close();
    // A form is often unloaded by one of its own handlers: its window procedure is still on
    // the stack, so the object goes with the form, when the outermost dispatch ends.
    ui::Dispatch::Release(std::move(window));
}

HWND Renderer::windowOf(const ui::Form& form) {
    FormWindow* window = find(form);
    return window && window->Made() ? window->Window() : nullptr;
}

HMENU Renderer::popupOf(const ui::Form& form, const ui::Menu& top) {
    FormWindow* window = find(form);
    if (!window || !window->Made() || !window->menus()) return nullptr;
    return window->menus()->PopupOf(top);
}

}  // namespace velkor::win32
