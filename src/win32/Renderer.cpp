#include "win32/Renderer.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "win32/Handles.h"
#include "win32/Utf.h"
#include "win32/Win32EventLoop.h"
#include "win32/resources/resource.h"

namespace velkor::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"VelkorForm";
constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 1000;

UINT DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && window) {
        if (UINT dpi = getDpi(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : 96;
}

int Pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// A filled circle with a soft edge, premultiplied for the image list's alpha channel.
HBITMAP Dot(int size, COLORREF color) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    const double center = size / 2.0, radius = size * 0.40;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x + 0.5 - center, y + 0.5 - center);
            double cover = std::clamp(radius + 0.5 - d, 0.0, 1.0);
            auto channel = [&](int value) {
                return static_cast<uint32_t>(value * cover);
            };
            pixels[y * size + x] = (channel(255) << 24) | (channel(GetRValue(color)) << 16) |
                                   (channel(GetGValue(color)) << 8) | channel(GetBValue(color));
        }
    }
    return bitmap;
}

struct Child {
    ui::Control* control;
    HWND hwnd;
    int id;
};

}  // namespace

struct Renderer::FormWindow {
    Renderer& renderer;
    ui::Form& form;
    HWND hwnd = nullptr;
    UINT dpi = 96;
    UniqueFont font;
    UniqueImageList images;
    HWND tooltip = nullptr;
    std::vector<Child> children;
    std::vector<ui::Subscription> subscriptions;
    std::vector<ui::Subscription> menuSubscriptions;
    std::map<int, ui::Menu*> menuOfId;
    std::map<const ui::Menu*, int> idOfMenu;
    int nextMenuId = kFirstMenuId;
    HMENU menuBar = nullptr;
    std::vector<HMENU> popups;  // top-level menus that are not in the menu bar
    HACCEL accelerators = nullptr;
    std::map<UINT_PTR, ui::Timer*> timers;
    bool updating = false;  // true while the model writes into a control

    FormWindow(Renderer& r, ui::Form& f) : renderer(r), form(f) {}
    ~FormWindow() {
        subscriptions.clear();
        menuSubscriptions.clear();
        renderer.loop_.dropAccelerators(hwnd);
        if (hwnd) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            DestroyWindow(hwnd);
        }
        if (menuBar) DestroyMenu(menuBar);
        for (HMENU popup : popups) DestroyMenu(popup);
        if (accelerators) DestroyAcceleratorTable(accelerators);
    }

    void Create();
    void CreateChildren();
    void Layout();
    void MakeFontAndImages();
    void SyncForm(ui::Property property);
    void SyncControl(Child& child, ui::Property property);
    void FillCombo(Child& child);
    void BuildMenus();
    int MenuId(const ui::Menu& menu);
    void AppendMenuItems(HMENU target, const ui::Menu& parent, std::vector<ACCEL>& keys);
    void AppendItem(HMENU target, ui::Menu& item, std::vector<ACCEL>& keys);
    void SyncTimers();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

void Renderer::FormWindow::Create() {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, Widen(form.caption()).c_str(), style,
                           CW_USEDEFAULT, CW_USEDEFAULT, 200, 200, nullptr, nullptr,
                           renderer.instance_, this);
    if (!hwnd) return;
    dpi = DpiOf(hwnd);
    HINSTANCE instance = renderer.instance_;
    auto icon = [&](int size) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELKOR), IMAGE_ICON,
                                             size, size, LR_DEFAULTCOLOR | LR_SHARED));
    };
    SendMessageW(hwnd, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(icon(GetSystemMetrics(SM_CXICON))));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(icon(GetSystemMetrics(SM_CXSMICON))));

    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                              nullptr, instance, nullptr);
    MakeFontAndImages();
    CreateChildren();
    BuildMenus();
    Layout();
    SyncTimers();
    subscriptions.push_back(form.subscribe([this](ui::Property p) { SyncForm(p); }));
    if (form.closeDisabled()) SyncForm(ui::Property::CloseCommand);
}

void Renderer::FormWindow::MakeFontAndImages() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    UINT systemDpi = DpiOf(nullptr);
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
    font.reset(CreateFontIndirectW(&face));

    int size = MulDiv(16, static_cast<int>(dpi), 96);
    images.reset(ImageList_Create(size, size, ILC_COLOR32, 2, 0));
    for (COLORREF color : {RGB(0, 170, 0), RGB(210, 0, 0)}) {  // 1 unlocked, 2 locked
        HBITMAP dot = Dot(size, color);
        ImageList_Add(images.get(), dot, nullptr);
        DeleteObject(dot);
    }
}

void Renderer::FormWindow::CreateChildren() {
    std::vector<ui::Control*> ordered(form.controls().begin(), form.controls().end());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](auto* a, auto* b) { return a->tabIndex() < b->tabIndex(); });
    bool previousWasOption = false;
    for (ui::Control* control : ordered) {
        const wchar_t* cls = WC_BUTTONW;
        DWORD style = WS_CHILD | WS_TABSTOP;
        switch (control->kind()) {
            case ui::ControlKind::CheckBox:
                style |= BS_CHECKBOX;
                break;
            case ui::ControlKind::OptionButton:
                style |= BS_RADIOBUTTON;
                break;
            case ui::ControlKind::CommandButton:
                style |= static_cast<ui::CommandButton*>(control)->isDefault() ? BS_DEFPUSHBUTTON
                                                                               : BS_PUSHBUTTON;
                break;
            case ui::ControlKind::TextBox:
                cls = WC_EDITW;
                style |= WS_BORDER | ES_AUTOHSCROLL;
                if (!static_cast<ui::TextBox*>(control)->passwordChar().empty())
                    style |= ES_PASSWORD;
                break;
            case ui::ControlKind::Label:
                cls = WC_STATICW;
                style &= ~WS_TABSTOP;
                break;
            case ui::ControlKind::Picture:
                cls = WC_STATICW;
                style &= ~WS_TABSTOP;
                break;
            case ui::ControlKind::Frame:
                style = (style & ~WS_TABSTOP) | BS_GROUPBOX;
                break;
            case ui::ControlKind::ImageCombo:
                cls = WC_COMBOBOXEXW;
                style |= CBS_DROPDOWNLIST | WS_VSCROLL;
                break;
        }
        // Each control starts a group, except an option button that follows another.
        const bool isOption = control->kind() == ui::ControlKind::OptionButton;
        if (!(isOption && previousWasOption)) style |= WS_GROUP;
        previousWasOption = isOption;
        if (control->visible()) style |= WS_VISIBLE;
        int id = kFirstControlId + static_cast<int>(children.size());
        std::wstring text = control->kind() == ui::ControlKind::TextBox
                                ? Widen(static_cast<ui::TextBox*>(control)->text())
                                : Widen(control->caption());
        HWND child = CreateWindowExW(0, cls, text.c_str(), style, 0, 0, 10, 10, hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     renderer.instance_, nullptr);
        if (!child) continue;
        SetWindowTextW(child, text.c_str());
        children.push_back({control, child, id});
        Child& added = children.back();
        size_t index = children.size() - 1;
        if (control->kind() == ui::ControlKind::ImageCombo) {
            SendMessageW(child, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
        }
        if (!control->toolTip().empty()) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(child);
            std::wstring tip = Widen(control->toolTip());
            tool.lpszText = tip.data();
            SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        for (ui::Property p : {ui::Property::Value, ui::Property::Enabled, ui::Property::Items}) {
            SyncControl(added, p);
        }
        subscriptions.push_back(
            control->subscribe([this, index](ui::Property p) { SyncControl(children[index], p); }));
    }
}

void Renderer::FormWindow::Layout() {
    for (Child& child : children) {
        const ui::Bounds& b = child.control->bounds();
        int height = Pixels(b.height, dpi);
        if (child.control->kind() == ui::ControlKind::ImageCombo) height *= 8;  // with its list
        MoveWindow(child.hwnd, Pixels(b.left, dpi), Pixels(b.top, dpi), Pixels(b.width, dpi),
                   height, TRUE);
        SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    RECT frame{0, 0, Pixels(form.clientWidth(), dpi), Pixels(form.clientHeight(), dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                       GetMenu(hwnd) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Renderer::FormWindow::SyncForm(ui::Property property) {
    switch (property) {
        case ui::Property::Caption:
            SetWindowTextW(hwnd, Widen(form.caption()).c_str());
            break;
        case ui::Property::Visible:
            if (form.visible()) {
                ShowWindow(hwnd, form.windowState() == ui::WindowState::Minimized ? SW_SHOWMINIMIZED
                                                                                  : SW_SHOW);
                SetForegroundWindow(hwnd);
            } else {
                ShowWindow(hwnd, SW_HIDE);
            }
            break;
        case ui::Property::WindowState:
            if (form.visible()) {
                ShowWindow(hwnd, form.windowState() == ui::WindowState::Minimized   ? SW_MINIMIZE
                                 : form.windowState() == ui::WindowState::Maximized ? SW_MAXIMIZE
                                                                                    : SW_RESTORE);
            }
            break;
        case ui::Property::CloseCommand:
            if (HMENU system = GetSystemMenu(hwnd, FALSE)) {
                DeleteMenu(system, SC_CLOSE, MF_BYCOMMAND);
                DrawMenuBar(hwnd);
            }
            break;
        default:
            break;
    }
}

void Renderer::FormWindow::SyncControl(Child& child, ui::Property property) {
    ui::Control& control = *child.control;
    updating = true;
    switch (property) {
        case ui::Property::Caption:
            if (control.kind() != ui::ControlKind::TextBox) {
                SetWindowTextW(child.hwnd, Widen(control.caption()).c_str());
            }
            break;
        case ui::Property::Text:
            if (auto* box = dynamic_cast<ui::TextBox*>(&control)) {
                SetWindowTextW(child.hwnd, Widen(box->text()).c_str());
            }
            break;
        case ui::Property::Enabled:
            EnableWindow(child.hwnd, control.enabled());
            break;
        case ui::Property::Visible:
            ShowWindow(child.hwnd, control.visible() ? SW_SHOW : SW_HIDE);
            break;
        case ui::Property::Bounds:
            Layout();
            break;
        case ui::Property::Value:
            if (auto* box = dynamic_cast<ui::CheckBox*>(&control)) {
                SendMessageW(child.hwnd, BM_SETCHECK,
                             box->value() == 1   ? BST_CHECKED
                             : box->value() == 2 ? BST_INDETERMINATE
                                                 : BST_UNCHECKED,
                             0);
            } else if (auto* option = dynamic_cast<ui::OptionButton*>(&control)) {
                SendMessageW(child.hwnd, BM_SETCHECK,
                             option->selected() ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        case ui::Property::Items:
        case ui::Property::Selection:
            if (control.kind() == ui::ControlKind::ImageCombo) FillCombo(child);
            break;
        case ui::Property::ToolTip: {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(child.hwnd);
            std::wstring tip = Widen(control.toolTip());
            tool.lpszText = tip.data();
            SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
            break;
        }
        case ui::Property::Focus:
            if (auto* box = dynamic_cast<ui::TextBox*>(&control); box && box->hasFocus()) {
                SetFocus(child.hwnd);
            }
            break;
        default:
            break;
    }
    updating = false;
}

void Renderer::FormWindow::FillCombo(Child& child) {
    auto& combo = static_cast<ui::ImageCombo&>(*child.control);
    SendMessageW(child.hwnd, CB_RESETCONTENT, 0, 0);
    int index = 0;
    for (const ui::ComboEntry& entry : combo.entries()) {
        std::wstring text = Widen(entry.text);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = index++;
        item.pszText = text.data();
        item.iImage = item.iSelectedImage = entry.picture - 1;
        SendMessageW(child.hwnd, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(child.hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.selectedIndex() - 1), 0);
}

int Renderer::FormWindow::MenuId(const ui::Menu& menu) {
    auto found = idOfMenu.find(&menu);
    if (found != idOfMenu.end()) return found->second;
    int id = nextMenuId++;  // ids stay with their menu for the life of the window
    idOfMenu[&menu] = id;
    menuOfId[id] = const_cast<ui::Menu*>(&menu);
    return id;
}

void Renderer::FormWindow::AppendItem(HMENU target, ui::Menu& item, std::vector<ACCEL>& keys) {
    int id = MenuId(item);
    menuSubscriptions.push_back(item.subscribe([this](ui::Property) { BuildMenus(); }));
    if (!item.visible()) return;
    if (item.isSeparator()) {
        AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::wstring caption = Widen(item.caption());
    if (item.isSubmenu()) {
        HMENU sub = CreatePopupMenu();
        AppendMenuItems(sub, item, keys);
        AppendMenuW(target, MF_POPUP | (item.enabled() ? 0 : MF_GRAYED),
                    reinterpret_cast<UINT_PTR>(sub), caption.c_str());
        return;
    }
    const std::string& shortcut = item.shortcut();
    if (!shortcut.empty()) {
        caption += L"\t" + Widen(shortcut);
        if (shortcut.rfind("Ctrl+", 0) == 0 && shortcut.size() == 6) {
            keys.push_back(
                {FCONTROL | FVIRTKEY, static_cast<WORD>(shortcut[5]), static_cast<WORD>(id)});
        }
    }
    AppendMenuW(target,
                MF_STRING | (item.checked() ? MF_CHECKED : 0) | (item.enabled() ? 0 : MF_GRAYED),
                static_cast<UINT_PTR>(id), caption.c_str());
}

void Renderer::FormWindow::AppendMenuItems(HMENU target, const ui::Menu& parent,
                                           std::vector<ACCEL>& keys) {
    for (const ui::Menu::Child& child : parent.children()) {
        if (child.item) {
            AppendItem(target, *child.item, keys);
        } else {
            menuSubscriptions.push_back(
                child.array->subscribe([this](ui::Property) { BuildMenus(); }));
            for (ui::Menu* element : child.array->elements()) AppendItem(target, *element, keys);
        }
    }
}

void Renderer::FormWindow::BuildMenus() {
    menuSubscriptions.clear();
    HMENU bar = CreateMenu();
    std::vector<HMENU> newPopups;
    std::vector<ACCEL> keys;
    for (ui::Menu* top : form.menus()) {
        if (top->visible()) {
            AppendItem(bar, *top, keys);
        } else {
            MenuId(*top);
            menuSubscriptions.push_back(top->subscribe([this](ui::Property) { BuildMenus(); }));
            HMENU popup = CreatePopupMenu();
            AppendMenuItems(popup, *top, keys);
            newPopups.push_back(popup);
        }
    }
    HMENU oldBar = menuBar;
    menuBar = GetMenuItemCount(bar) > 0 ? bar : nullptr;
    if (!menuBar) DestroyMenu(bar);
    SetMenu(hwnd, menuBar);
    if (oldBar) DestroyMenu(oldBar);
    for (HMENU popup : popups) DestroyMenu(popup);
    popups = std::move(newPopups);
    if (accelerators) DestroyAcceleratorTable(accelerators);
    accelerators = keys.empty()
                       ? nullptr
                       : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    if (accelerators) renderer.loop_.setAccelerators(hwnd, accelerators);
}

void Renderer::FormWindow::SyncTimers() {
    for (ui::Timer* timer : form.timers()) {
        UINT_PTR id = 0x7000 + timers.size();
        timers[id] = timer;
        auto arm = [this, timer, id] {
            if (timer->running()) {
                SetTimer(hwnd, id, timer->interval(), nullptr);
            } else {
                KillTimer(hwnd, id);
            }
        };
        arm();
        subscriptions.push_back(timer->subscribe([arm](ui::Property) { arm(); }));
    }
}

void Renderer::FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDCANCEL && lParam == 0) {  // Escape: the cancel button, if the form has one
        for (Child& child : children) {
            auto* button = dynamic_cast<ui::CommandButton*>(child.control);
            if (button && button->isCancel()) button->click();
        }
        return;
    }
    if (lParam == 0) {  // a menu entry or an accelerator
        auto found = menuOfId.find(id);
        if (found != menuOfId.end()) found->second->click();
        return;
    }
    for (Child& child : children) {
        if (child.id != id) continue;
        ui::Control& control = *child.control;
        switch (control.kind()) {
            case ui::ControlKind::CheckBox:
                if (code == BN_CLICKED) static_cast<ui::CheckBox&>(control).click();
                break;
            case ui::ControlKind::OptionButton:
                if (code == BN_CLICKED) static_cast<ui::OptionButton&>(control).click();
                break;
            case ui::ControlKind::CommandButton:
                if (code == BN_CLICKED) static_cast<ui::CommandButton&>(control).click();
                break;
            case ui::ControlKind::ImageCombo:
                if (code == CBN_SELCHANGE) {
                    auto index = SendMessageW(child.hwnd, CB_GETCURSEL, 0, 0);
                    static_cast<ui::ImageCombo&>(control).choose(static_cast<int>(index) + 1);
                }
                break;
            case ui::ControlKind::TextBox:
                if (code == EN_CHANGE && !updating) {
                    int length = GetWindowTextLengthW(child.hwnd);
                    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
                    GetWindowTextW(child.hwnd, text.data(), length + 1);
                    text.resize(static_cast<size_t>(length));
                    static_cast<ui::TextBox&>(control).setText(Narrow(text));
                }
                break;
            default:
                break;
        }
        return;
    }
}

LRESULT Renderer::FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case DM_GETDEFID:  // Enter clicks the default button
            for (Child& child : children) {
                auto* button = dynamic_cast<ui::CommandButton*>(child.control);
                if (button && button->isDefault()) return MAKELRESULT(child.id, DC_HASDEFID);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && form.closeDisabled()) return 0;
            break;
        case WM_CLOSE:
            if (form.closeDisabled()) return 0;  // Alt+F4 and the title bar do nothing
            if (renderer.onCloseRequest) {
                renderer.onCloseRequest(form);
            } else {
                form.hide();
            }
            return 0;
        case WM_TIMER: {
            auto found = timers.find(wParam);
            if (found != timers.end()) {
                found->second->tick();
                return 0;
            }
            break;
        }
        case WM_DPICHANGED: {
            dpi = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            MakeFontAndImages();
            for (Child& child : children) {
                if (child.control->kind() == ui::ControlKind::ImageCombo) {
                    SendMessageW(child.hwnd, CBEM_SETIMAGELIST, 0,
                                 reinterpret_cast<LPARAM>(images.get()));
                }
            }
            Layout();
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Renderer::FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        self->hwnd = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return 0;  // handlers report their own errors; nothing unwinds into the system
    }
}

Renderer::Renderer(HINSTANCE instance, Win32EventLoop& loop) : instance_(instance), loop_(loop) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &FormWindow::WindowProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELKOR));
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kFormClass;
    RegisterClassExW(&cls);
}

Renderer::~Renderer() {
    windows_.clear();
}

void Renderer::attach(ui::Form& form) {
    auto window = std::make_unique<FormWindow>(*this, form);
    FormWindow& created = *window;
    windows_[&form] = std::move(window);
    created.Create();
}

void Renderer::detach(ui::Form& form) {
    windows_.erase(&form);
}

HWND Renderer::windowOf(const ui::Form& form) const {
    auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second->hwnd;
}

}  // namespace velkor::win32
