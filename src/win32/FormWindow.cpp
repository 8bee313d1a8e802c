#include "win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "program/Timeline.h"
#include "ui/CommandButton.h"
#include "ui/TextBox.h"
#include "win32/FormLayout.h"
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
    // No WS_CLIPCHILDREN: a group box paints only its border, the window paints inside it.
    WindowStyles s{WS_CAPTION, WS_EX_CONTROLPARENT};
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

void FormWindow::CreateWhenShown() {
    if (form_.visible()) {
        Made();
        return;
    }
    waiting_.push_back(form_.subscribe([this](ui::Property p) {
        if (p == ui::Property::PopupMenu && Made()) SyncForm(p);  // the menus come with it
        if (p == ui::Property::Visible && form_.visible()) Made();
        if (p == ui::Property::WindowProcs && TakesMessagesWhileHidden()) Made();
    }));
    for (ui::Timer* timer : form_.timers()) {
        waiting_.push_back(timer->subscribe([this](ui::Property) {
            if (TakesMessagesWhileHidden()) Made();
        }));
    }
}

void FormWindow::Loaded() {
    loaded_ = true;
    if (TakesMessagesWhileHidden()) Made();
}

bool FormWindow::TakesMessagesWhileHidden() const {
    if (!loaded_) return false;  // made once, after the load, with its final captions
    if (!form_.windowProcs().entries().empty()) return true;
    for (const ui::Timer* timer : form_.timers()) {
        if (timer->running()) return true;
    }
    return false;
}

bool FormWindow::Made() {
    if (!tried_ && !closed_) {
        tried_ = true;
        waiting_.clear();
        Create();
        timeline::Mark("window made:", form_.name());
    }
    return static_cast<bool>(window_);
}

bool FormWindow::Create() {
    // Everything the window holds is known before it is made, so that it is made once, at its
    // size, with its menu bar: under Wine every later move or frame change is a round trip to
    // the display. A new window opens at the system's DPI; one that lands elsewhere is laid out
    // again below.
    std::string failed;
    resources_ = DpiResources::Make(Instance(), DpiOf(nullptr), failed);
    MakeAdapters();
    menus_ = std::make_unique<MenuBuilder>(form_, renderer_.loop());
    menus_->Build();
    const LayoutPlan plan =
        PlanLayout(nullptr, form_, adapters_, resources_.layoutDpi, resources_.font.get());
    const WindowStyles styles = StylesOf(form_.style());
    const SIZE size =
        FrameSize(plan.client, styles.style, styles.exStyle, menus_->BarForNewWindow() != nullptr);
    const POINT at =
        form_.style().centerScreen ? CenteredOnScreen(size) : POINT{CW_USEDEFAULT, CW_USEDEFAULT};
    HWND owner = form_.style().showInTaskbar ? nullptr : renderer_.hiddenOwner();
    HWND made = CreateWindowExW(styles.exStyle, kFormClass, Widen(form_.caption()).c_str(),
                                styles.style, at.x, at.y, size.cx, size.cy, owner,
                                menus_->BarForNewWindow(), Instance(), this);
    if (!made) {
        Failed("CreateWindowExW(" + form_.name() + ")", GetLastError());
        adapters_.clear();
        return false;
    }
    window_.reset(made);
    menus_->Attach(made);

    const bool otherDpi = DpiOf(made) != resources_.dpi;
    if (otherDpi) resources_ = DpiResources::Make(Instance(), DpiOf(made), failed);
    if (!failed.empty()) Failed("creating the " + failed + " of " + form_.name(), GetLastError());
    if (otherDpi) GiveIcons();  // the window class has the icons of the system's DPI
    CreateControls(plan.places);
    Layout();  // moves nothing unless the DPI or a control's own font changed the plan
    RECT laidOut{};
    GetWindowRect(made, &laidOut);
    const SIZE final{laidOut.right - laidOut.left, laidOut.bottom - laidOut.top};
    if (form_.style().centerScreen && (final.cx != size.cx || final.cy != size.cy)) {
        const POINT centered = CenteredOnScreen(final);
        SetWindowPos(made, nullptr, centered.x, centered.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ArmTimers();
    subclasses_ = std::make_unique<Subclasses>(made, form_.windowProcs(), renderer_);
    if (!form_.style().showInTaskbar) SyncForm(ui::Property::ShowInTaskbar);
    form_.measureTextHeight = [this](std::string_view text) {
        return MeasureTextHeight(text);
    };
    subscriptions_.push_back(form_.subscribe([this](ui::Property p) { SyncForm(p); }));
    if (form_.closeDisabled()) SyncForm(ui::Property::CloseCommand);
    if (form_.visible()) Show();
    // The tips wait for the first timer message, which comes once the window has painted: their
    // window is one more round trip to the display, and nobody points at a control that soon.
    if (!SetTimer(made, kToolTipTimerId, USER_TIMER_MINIMUM, nullptr)) MakeToolTips();
    return true;
}

void FormWindow::MakeToolTips() {
    KillTimer(Window(), kToolTipTimerId);
    if (closed_ || tips_.Make(Window(), Instance())) return;
    Failed("CreateWindowExW(tooltips of " + form_.name() + ")", GetLastError());
}

int FormWindow::MeasureTextHeight(std::string_view text) const {
    MeasuringDc dc(Window(), resources_.font.get());
    std::wstring wide = Widen(text);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT);
    return Twips(r.bottom - r.top);
}

void FormWindow::Close() {
    if (closed_) return;  // the form may be gone by the time this object is freed
    closed_ = true;
    form_.measureTextHeight = nullptr;
    subscriptions_.clear();
    waiting_.clear();
    if (HWND self = window_.get()) SetWindowLongPtrW(self, GWLP_USERDATA, 0);
    subclasses_.reset();
    menus_.reset();     // the accelerators leave the loop; the pop-ups go
    adapters_.clear();  // the controls, before their parent
    tips_.Clear();
    window_.reset();  // and with it the menu bar it holds
    timers_.clear();
    resources_ = DpiResources{};
}

void FormWindow::MakeAdapters() {
    std::vector<ui::Control*> ordered(form_.controls().begin(), form_.controls().end());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](auto* a, auto* b) { return a->tabIndex() < b->tabIndex(); });
    for (ui::Control* control : ordered) {
        if (auto adapter = MakeAdapter(*this, *control)) adapters_.push_back(std::move(adapter));
    }
}

void FormWindow::CreateControls(const std::vector<RECT>& places) {
    bool previousWasOption = false;
    int id = kFirstControlId;
    for (size_t i = 0; i < adapters_.size(); ++i) {
        ControlAdapter* adapter = adapters_[i].get();
        // Each control starts a keyboard group, except an option button after another.
        const bool isOption = adapter->is(ui::ControlKind::OptionButton);
        const bool startsGroup = !(isOption && previousWasOption);
        previousWasOption = isOption;
        if (!adapter->Create(id++, startsGroup, places[i])) continue;
        subscriptions_.push_back(
            adapter->control().subscribe([adapter](ui::Property p) { adapter->Sync(p); }));
    }
    // Those the system refused are gone (and reported).
    std::erase_if(adapters_, [](const auto& adapter) { return adapter->hwnd() == nullptr; });
}

void FormWindow::SetToolTip(HWND control, const std::string& text) {
    tips_.Set(Window(), control, text);
}

void FormWindow::Layout() {
    LayOut(Window(), form_, adapters_, resources_.layoutDpi, resources_.font.get());
}

void FormWindow::Remake(UINT dpi) {
    std::string failed;
    UseResources(DpiResources::Make(Instance(), dpi, failed));
    if (!failed.empty()) Failed("creating the " + failed + " of " + form_.name(), 0);
    Layout();
}

void FormWindow::UseResources(DpiResources made) {
    // The controls take the new font and pictures before the old ones are freed.
    DpiResources old = std::move(resources_);
    resources_ = std::move(made);
    for (auto& adapter : adapters_) adapter->ApplyResources(resources_);
    GiveIcons();
}

void FormWindow::GiveIcons() {
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
                if (!SetTimer(Window(), id, timer->interval(), nullptr))
                    Failed("SetTimer(" + timer->name() + ")", GetLastError());
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
        auto* box = ui::As<ui::TextBox>(adapter->control());
        if (box && box->hasFocus()) focus = adapter->hwnd();
    }
    if (!focus) focus = LastFocus();
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
        case ui::Property::ShowInTaskbar: {
            // A window with an owner has no taskbar button.
            HWND owner = form_.style().showInTaskbar ? nullptr : renderer_.hiddenOwner();
            SetWindowLongPtrW(Window(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
            break;
        }
        case ui::Property::WindowProcs:
            if (subclasses_) subclasses_->Sync();
            break;
        case ui::Property::Activate:
            if (IsWindowVisible(Window())) {
                if (IsIconic(Window())) ShowWindow(Window(), SW_RESTORE);
                SetForegroundWindow(Window());
                if (HWND last = LastFocus()) SetFocus(last);
            }
            break;
        case ui::Property::PopupMenu:
            if (ui::Menu* menu = form_.popupRequest()) ShowPopup(*menu);
            break;
        case ui::Property::CloseCommand:
            if (HMENU system = GetSystemMenu(Window(), FALSE)) {
                DeleteMenu(system, SC_CLOSE, MF_BYCOMMAND);
                // A hidden window draws its frame, greyed close box included, when shown.
                if (IsWindowVisible(Window())) DrawMenuBar(Window());
            }
            break;
        default:
            break;
    }
}

void FormWindow::ShowPopup(ui::Menu& menu) {
    HMENU popup = menus_ ? menus_->PopupOf(menu) : nullptr;
    if (!popup) return;
    POINT at{};
    if (const auto anchor = form_.popupAnchor())
        at = {anchor->x, anchor->y};
    else
        GetCursorPos(&at);
    const UINT align = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    // In front first and nudged afterwards: otherwise the menu of a window in the background
    // stays open when the user clicks elsewhere.
    SetForegroundWindow(Window());
    // The chosen entry runs before this returns, as the caller expects.
    int id = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | align, at.x, at.y, 0, Window(),
                            nullptr);
    if (ui::Menu* chosen = id ? menus_->MenuOfId(id) : nullptr) {
        form_.popupEntryChosen();
        chosen->click();
    }
    // The entry may have unloaded this form (Exit): then there is no window left to nudge.
    if (window_) PostMessageW(Window(), WM_NULL, 0, 0);
}

}  // namespace velkor::win32
