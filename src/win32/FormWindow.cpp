#include "win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/CommandButton.h"
#include "ui/TextBox.h"
#include "win32/Renderer.h"
#include "win32/Utf.h"
#include "win32/Win32EventLoop.h"

namespace velkor::win32 {
namespace {

constexpr int kFirstControlId = 100;
constexpr UINT_PTR kFirstTimerId = 0x7000;

struct WindowStyles {
    DWORD style;
    DWORD exStyle;
};

WindowStyles StylesOf(const ui::FormStyle& look) {
    WindowStyles s{WS_CAPTION | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    if (look.border == ui::BorderStyle::FixedDialog) {
        s.style |= WS_POPUP;
        s.exStyle |= WS_EX_DLGMODALFRAME;  // the dialog frame, without an icon
    } else {
        s.style |= WS_OVERLAPPED;
        if (look.minButton) s.style |= WS_MINIMIZEBOX;
        if (look.maxButton) s.style |= WS_MAXIMIZEBOX;
    }
    if (look.controlBox) s.style |= WS_SYSMENU;
    return s;
}

// Keeps the renderer told that a window procedure is running.
class InWindowProc {
  public:
    explicit InWindowProc(Renderer& renderer) : renderer_(renderer) { renderer_.Enter(); }
    ~InWindowProc() { renderer_.Leave(); }
    InWindowProc(const InWindowProc&) = delete;
    InWindowProc& operator=(const InWindowProc&) = delete;

  private:
    Renderer& renderer_;
};

}  // namespace

FormWindow::FormWindow(Renderer& renderer, ui::Form& form) : renderer_(renderer), form_(form) {}

FormWindow::~FormWindow() {
    Close();
}

HINSTANCE FormWindow::Instance() const {
    return renderer_.instance();
}

void FormWindow::Failed(const std::string& what, unsigned long code) {
    renderer_.Report(what, code);
}

bool FormWindow::Create() {
    WindowStyles styles = StylesOf(form_.style());
    HWND owner = form_.style().showInTaskbar ? nullptr : renderer_.hiddenOwner();
    HWND made =
        CreateWindowExW(styles.exStyle, kFormClass, Widen(form_.caption()).c_str(), styles.style,
                        CW_USEDEFAULT, CW_USEDEFAULT, 200, 200, owner, nullptr, Instance(), this);
    if (!made) {
        Failed("CreateWindowExW(" + form_.name() + ")", GetLastError());
        return false;
    }
    window_.reset(made);

    std::string failed;
    resources_ = DpiResources::Make(Instance(), DpiOf(made), failed);
    if (!failed.empty()) Failed("creating the " + failed + " of " + form_.name(), GetLastError());
    SendMessageW(made, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(resources_.bigIcon.get()));
    SendMessageW(made, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(resources_.smallIcon.get()));

    tooltip_.reset(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, made, nullptr, Instance(), nullptr));
    if (!tooltip_) Failed("CreateWindowExW(tooltips of " + form_.name() + ")", GetLastError());

    CreateControls();
    menus_ = std::make_unique<MenuBuilder>(form_, made, renderer_.loop());
    menus_->Build();
    Layout();
    if (form_.style().centerScreen) CenterOnScreen();
    ArmTimers();
    subscriptions_.push_back(form_.subscribe([this](ui::Property p) { SyncForm(p); }));
    if (form_.closeDisabled()) SyncForm(ui::Property::CloseCommand);
    if (form_.visible()) Show();
    return true;
}

void FormWindow::Close() {
    subscriptions_.clear();
    if (HWND self = window_.get()) SetWindowLongPtrW(self, GWLP_USERDATA, 0);
    menus_.reset();     // the accelerators leave the loop; the pop-ups go
    adapters_.clear();  // the controls, before their parent
    tooltip_.reset();
    window_.reset();  // and with it the menu bar it holds
    timers_.clear();
    resources_ = DpiResources{};
}

void FormWindow::CreateControls() {
    std::vector<ui::Control*> ordered(form_.controls().begin(), form_.controls().end());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](auto* a, auto* b) { return a->tabIndex() < b->tabIndex(); });
    bool previousWasOption = false;
    int id = kFirstControlId;
    for (ui::Control* control : ordered) {
        std::unique_ptr<ControlAdapter> adapter = MakeAdapter(*this, *control);
        // Each control starts a keyboard group, except an option button after another.
        const bool isOption = adapter->isOptionButton();
        const bool startsGroup = !(isOption && previousWasOption);
        previousWasOption = isOption;
        if (!adapter->Create(id++, startsGroup)) continue;
        ControlAdapter* raw = adapter.get();
        adapters_.push_back(std::move(adapter));
        subscriptions_.push_back(control->subscribe([raw](ui::Property p) { raw->Sync(p); }));
    }
}

void FormWindow::SetToolTip(HWND control, const std::string& text) {
    if (!tooltip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    std::wstring tip = Widen(text);
    tool.lpszText = tip.data();
    bool& known = tipped_[control];
    if (text.empty()) {
        if (known) SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        known = false;
    } else if (known) {
        SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        known = SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void FormWindow::Layout() {
    for (auto& adapter : adapters_) adapter->Place(resources_.dpi);
    RECT frame{0, 0, Pixels(form_.clientWidth(), resources_.dpi),
               Pixels(form_.clientHeight(), resources_.dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_STYLE)),
                       GetMenu(Window()) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_EXSTYLE)));
    SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::CenterOnScreen() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT own{};
    GetWindowRect(Window(), &own);
    int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(Window(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::UseResources(DpiResources made) {
    // The controls take the new font and pictures before the old ones are freed.
    DpiResources old = std::move(resources_);
    resources_ = std::move(made);
    for (auto& adapter : adapters_) adapter->ApplyResources(resources_);
    SendMessageW(Window(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(resources_.bigIcon.get()));
    SendMessageW(Window(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(resources_.smallIcon.get()));
}

void FormWindow::ArmTimers() {
    UINT_PTR id = kFirstTimerId;
    for (ui::Timer* timer : form_.timers()) {
        timers_[id] = timer;
        auto arm = [this, timer, id] {
            if (timer->running()) {
                if (!SetTimer(Window(), id, timer->interval(), nullptr)) {
                    Failed("SetTimer(" + timer->name() + ")", GetLastError());
                }
            } else {
                KillTimer(Window(), id);
            }
        };
        arm();
        subscriptions_.push_back(timer->subscribe([arm](ui::Property) { arm(); }));
        ++id;
    }
}

void FormWindow::Show() {
    const ui::WindowState state = form_.windowState();
    ShowWindow(Window(), state == ui::WindowState::Minimized ? SW_SHOWMINIMIZED : SW_SHOW);
    SetForegroundWindow(Window());
    // The focus starts in the text box the model gave it to, where the user left it, or on the
    // first control that takes it.
    HWND focus = nullptr;
    for (const auto& adapter : adapters_) {
        auto* box = dynamic_cast<ui::TextBox*>(&adapter->control());
        if (box && box->hasFocus()) focus = adapter->hwnd();
    }
    if (!focus && lastFocus_ && IsChild(Window(), lastFocus_)) focus = lastFocus_;
    if (!focus) focus = GetNextDlgTabItem(Window(), nullptr, FALSE);
    if (focus) SetFocus(focus);
}

void FormWindow::SyncForm(ui::Property property) {
    switch (property) {
        case ui::Property::Caption:
            SetWindowTextW(Window(), Widen(form_.caption()).c_str());
            break;
        case ui::Property::Visible:
            if (form_.visible()) {
                Show();
            } else {
                ShowWindow(Window(), SW_HIDE);
            }
            break;
        case ui::Property::WindowState:
            if (form_.visible()) {
                const ui::WindowState state = form_.windowState();
                ShowWindow(Window(), state == ui::WindowState::Minimized   ? SW_MINIMIZE
                                     : state == ui::WindowState::Maximized ? SW_MAXIMIZE
                                                                           : SW_RESTORE);
            }
            break;
        case ui::Property::CloseCommand:
            if (HMENU system = GetSystemMenu(Window(), FALSE)) {
                DeleteMenu(system, SC_CLOSE, MF_BYCOMMAND);
                DrawMenuBar(Window());
            }
            break;
        default:
            break;
    }
}

ControlAdapter* FormWindow::AdapterOf(HWND control) const {
    for (const auto& adapter : adapters_) {
        if (adapter->hwnd() == control) return adapter.get();
    }
    return nullptr;
}

void FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    // Every branch ends at the model's handler: it may unload this very form.
    if (lParam == 0 && id == IDCANCEL) {  // Escape: the form's cancel button, if it has one
        for (const auto& adapter : adapters_) {
            auto* button = dynamic_cast<ui::CommandButton*>(&adapter->control());
            if (button && button->isCancel()) return button->click();
        }
        return;
    }
    if (lParam == 0) {  // a menu entry or an accelerator
        if (ui::Menu* menu = menus_ ? menus_->MenuOfId(id) : nullptr) menu->click();
        return;
    }
    if (ControlAdapter* adapter = AdapterOf(reinterpret_cast<HWND>(lParam))) {
        adapter->OnNotify(code);
    }
}

LRESULT FormWindow::ControlColor(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlAdapter* adapter = AdapterOf(control);
    ui::SystemColor color = adapter ? adapter->control().backColor() : ui::SystemColor::Default;
    if (color == ui::SystemColor::Default) {
        // An enabled text box keeps the system's own; everything else sits on the form.
        if (message == WM_CTLCOLOREDIT || form_.style().backColor == ui::SystemColor::ButtonFace) {
            return DefWindowProcW(Window(), message, wParam, lParam);
        }
        color = form_.style().backColor;
    }
    SetBkColor(dc, GetSysColor(static_cast<int>(color)));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(static_cast<int>(color)));
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case DM_GETDEFID:  // Enter clicks the default button
            for (const auto& adapter : adapters_) {
                auto* button = dynamic_cast<ui::CommandButton*>(&adapter->control());
                if (button && button->isDefault()) return MAKELRESULT(adapter->id(), DC_HASDEFID);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && form_.closeDisabled()) return 0;
            break;
        case WM_CLOSE:
            if (!form_.closeDisabled()) form_.CloseCommand();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Window(), focus)) lastFocus_ = focus;
            } else if (lastFocus_ && IsChild(Window(), lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_ENTERMENULOOP:
            if (menus_) menus_->EnterMenuLoop();
            break;
        case WM_EXITMENULOOP:
            if (menus_) menus_->ExitMenuLoop();
            break;
        case WM_TIMER: {
            auto found = timers_.find(wParam);
            if (found == timers_.end()) break;
            found->second->tick();
            return 0;
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Window(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     GetSysColorBrush(static_cast<int>(form_.style().backColor)));
            return 1;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                message, wParam, lParam);
        case WM_DPICHANGED: {
            std::string failed;
            UseResources(DpiResources::Make(Instance(), HIWORD(wParam), failed));
            if (!failed.empty()) Failed("creating the " + failed + " of " + form_.name(), 0);
            Layout();
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Window(), nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    InWindowProc running(self->renderer_);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return 0;  // handlers report their own errors; nothing unwinds into the system
    }
}

}  // namespace velkor::win32
