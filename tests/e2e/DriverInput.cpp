#include "DriverInput.h"

#include <commctrl.h>

#include <vector>

#include "win32/Utf.h"

namespace velkor::e2e {

using win32::Narrow;

namespace {
std::wstring TextOf(HWND window) {
    wchar_t buffer[2048] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}
}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    return cls;
}

std::string Caption(HWND window) {
    std::string text = Narrow(TextOf(window));
    for (char& c : text) {
        if (c == '\r') c = ' ';
        if (c == '\n') c = '/';
    }
    return text;
}

HWND Shown(HWND window) {
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND MainWindow() {
    return FindWindowW(L"VelkorForm", L"Velkor");
}

HWND ShownWindow(const std::wstring& title) {
    return Shown(FindWindowW(L"VelkorForm", title.c_str()));
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) found.push_back(c);
    return found;
}

namespace {
// The windows EnumWindows (a null parent) or EnumChildWindows gives: every descendant.
std::vector<HWND> Enumerated(HWND parent) {
    std::vector<HWND> found;
    const WNDENUMPROC add = [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    };
    if (parent) {
        EnumChildWindows(parent, add, reinterpret_cast<LPARAM>(&found));
    } else {
        EnumWindows(add, reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

template <class Match>
HWND FirstOf(const std::vector<HWND>& windows, Match match) {
    for (HWND window : windows) {
        if (match(window)) return window;
    }
    return nullptr;
}
}  // namespace

HWND ChildWithCaption(HWND parent, const std::wstring& caption) {
    return FirstOf(Enumerated(parent), [&](HWND child) { return TextOf(child) == caption; });
}

HWND ChildOfClass(HWND parent, const std::wstring& windowClass) {
    return FirstOf(Enumerated(parent), [&](HWND child) { return ClassOf(child) == windowClass; });
}

HWND MessageBoxWindow() {
    return FirstOf(Enumerated(nullptr),
                   [](HWND w) { return ClassOf(w) == L"#32770" && IsWindowVisible(w); });
}

std::string BoxText(HWND box) {
    return Narrow(TextOf(box)) + "|" + Caption(GetDlgItem(box, 0xFFFF));
}

HWND TrayIcon() {
    HWND host = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!host) return nullptr;
    // Wine's stand-in for the taskbar sits in the top left corner, under the windows that open
    // there; a taskbar's notification area is at the bottom right, above every window.
    RECT r{};
    GetWindowRect(host, &r);
    const int x = GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left);
    const int y = GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top);
    if (r.left != x || r.top != y) {
        SetWindowPos(host, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        Sleep(100);
    }
    return FindWindowExW(host, nullptr, L"__winex11_tray_icon", nullptr);
}

bool Activate(HWND window, int ms) {
    return WaitFor(
               [&]() -> HWND {
                   if (!Shown(window) || !IsWindowEnabled(window)) return nullptr;
                   if (GetForegroundWindow() != window) SetForegroundWindow(window);
                   return GetForegroundWindow() == window ? window : nullptr;
               },
               ms) != nullptr;
}

namespace {
WORD VirtualKey(const std::string& name) {
    static const struct {
        const char* name;
        WORD key;
    } kNamed[] = {
        {"enter", VK_RETURN}, {"esc", VK_ESCAPE},  {"tab", VK_TAB},        {"down", VK_DOWN},
        {"up", VK_UP},        {"left", VK_LEFT},   {"right", VK_RIGHT},    {"home", VK_HOME},
        {"end", VK_END},      {"space", VK_SPACE}, {"f4", VK_F4},          {"alt", VK_MENU},
        {"ctrl", VK_CONTROL}, {"shift", VK_SHIFT}, {"backspace", VK_BACK}, {"delete", VK_DELETE}};
    for (const auto& named : kNamed) {
        if (name == named.name) return named.key;
    }
    if (name.size() == 1)
        return static_cast<WORD>(VkKeyScanW(static_cast<wchar_t>(name[0])) & 0xFF);
    return 0;
}

INPUT Key(WORD key, wchar_t character, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = character;
    in.ki.dwFlags = flags;
    return in;
}

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}
}  // namespace

bool Chord(const std::string& chord) {
    std::vector<INPUT> inputs, releases;  // each key down in turn, then up in reverse
    for (size_t begin = 0, plus = 0; plus != std::string::npos; begin = plus + 1) {
        plus = chord.find('+', begin + 1);
        const WORD key = VirtualKey(chord.substr(begin, plus - begin));
        if (!key) return false;
        inputs.push_back(Key(key, 0, 0));
        releases.insert(releases.begin(), Key(key, 0, KEYEVENTF_KEYUP));
    }
    inputs.insert(inputs.end(), releases.begin(), releases.end());
    return Send(inputs);
}

bool Type(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return Send(inputs);
}

bool SetClipboard(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    CopyMemory(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    const bool done = OpenClipboard(nullptr) && EmptyClipboard() &&
                      SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!done) GlobalFree(memory);  // the clipboard owns it once set
    return done;
}

bool Click(HWND window, bool right) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(3);
    for (INPUT& in : inputs) in.type = INPUT_MOUSE;
    inputs[0].mi.dx = ((r.left + r.right) / 2) * 65535 / (width - 1);
    inputs[0].mi.dy = ((r.top + r.bottom) / 2) * 65535 / (height - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return Send(inputs);
}

std::string AnswerBox(bool ok, int ms) {
    HWND box = WaitFor(MessageBoxWindow, ms);
    if (!box) return {};
    const std::string seen = BoxText(box);
    if (!Activate(box, 3000) || !Chord(ok ? "enter" : "esc")) return seen + " (not answered)";
    WaitFor([&]() -> HWND { return IsWindow(box) ? nullptr : box; }, 3000);
    return seen;
}

std::string ComboState(HWND main) {
    HWND combo = ChildOfClass(main, WC_COMBOBOXW);
    if (!combo) return {};
    // The system carries the entry's text across the process boundary for this message.
    std::string state;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) >= 512) break;
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        state +=
            Narrow(text) + "|" + std::to_string(SendMessageW(combo, CB_GETITEMDATA, i, 0)) + "\n";
    }
    state += "selected=" + std::to_string(SendMessageW(combo, CB_GETCURSEL, 0, 0) + 1) + "\n";
    return state;
}

}  // namespace velkor::e2e
