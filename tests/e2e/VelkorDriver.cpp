// Drives a running Velkor from outside, as a person would: reads its windows and clicks them.
//   VelkorDriver wait-main MS          wait for the main window to be shown
//   VelkorDriver combo                 the drive selector: "text|image" lines, then "selected=N"
//   VelkorDriver click CAPTION         click the main window's button, check box or option
//   VelkorDriver checked CAPTION       "1" or "0"
//   VelkorDriver enter CAPTION         press Enter while that control has the keyboard
//   VelkorDriver visible               "1" when the main window is shown, "0" when hidden
//   VelkorDriver icon                  "1" when the notification-area icon is there
//   VelkorDriver wait-icon MS          wait for the notification-area icon
//   VelkorDriver tray left|right       click the notification-area icon
//   VelkorDriver resume                tell the program the computer resumed from standby
//   VelkorDriver text STRING           type STRING (any characters) into the window in front
//   VelkorDriver wait-window TITLE MS  wait for a shown window with that title
//   VelkorDriver captions [TITLE]      the texts of a window's controls, one a line (main window)
//   VelkorDriver activate [TITLE]      bring the main window (or that one) to the front, and
//                                      wait until it is there
//   VelkorDriver link TITLE CAPTION    point at that window's link and click it, as a mouse does
//   VelkorDriver keys KEY...           type into the window in front: "alt+f", "x", "enter",
//                                      "down", "esc", "tab", "shift+end", ... one chord each
//   VelkorDriver box ok|cancel MS      wait for a message box, print "title|text", answer it
//   VelkorDriver no-box MS             fail if a message box shows up within MS
//   VelkorDriver close                 ask the main window to close (title bar / Alt+F4)
//   VelkorDriver kill                  end the main window's process at once (for timing runs)
// Exit code 0 on success, 1 when what was asked for is not there.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/Utf.h"

namespace {

using velkor::win32::Narrow;
using velkor::win32::Widen;

// A text on one line: line breaks become " " and "/".
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r') c = ' ';
        if (c == '\n') c = '/';
    }
    return text;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[2048] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

HWND MainWindow() {
    return FindWindowW(L"VelkorForm", L"Velkor");
}

// The main window exists, hidden, while start-up still runs (a password prompt, the drive
// list): only a shown one takes keys and clicks.
HWND ShownMainWindow() {
    HWND window = MainWindow();
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND ChildWithCaption(HWND parent, const std::wstring& caption) {
    struct Search {
        std::wstring caption;
        HWND found = nullptr;
    } search{caption};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (TextOf(child) == s->caption) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ComboOf(HWND parent) {
    HWND found = nullptr;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) -> BOOL {
            wchar_t cls[64];
            GetClassNameW(child, cls, 64);
            if (std::wstring(cls) == WC_COMBOBOXEXW) {
                *reinterpret_cast<HWND*>(context) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND MessageBoxWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            wchar_t cls[64];
            GetClassNameW(window, cls, 64);
            if (std::wstring(cls) == L"#32770" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(context) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

template <class Find>
HWND WaitFor(Find find, int ms) {
    for (int waited = 0;; waited += 10) {
        if (HWND found = find()) return found;
        if (waited >= ms) return nullptr;
        Sleep(10);
    }
}

// With no taskbar on the display, Wine shows each icon as a small window of its own.
HWND TrayIcon() {
    HWND host = FindWindowW(L"__winex11_standalone_tray", nullptr);
    return host ? FindWindowExW(host, nullptr, L"__winex11_tray_icon", nullptr) : nullptr;
}

WORD VirtualKey(const std::string& name) {
    static const struct {
        const char* name;
        WORD key;
    } kNamed[] = {{"enter", VK_RETURN}, {"esc", VK_ESCAPE},  {"tab", VK_TAB},     {"down", VK_DOWN},
                  {"up", VK_UP},        {"left", VK_LEFT},   {"right", VK_RIGHT}, {"home", VK_HOME},
                  {"end", VK_END},      {"space", VK_SPACE}, {"f4", VK_F4},       {"alt", VK_MENU},
                  {"ctrl", VK_CONTROL}, {"shift", VK_SHIFT}};
    for (const auto& named : kNamed) {
        if (name == named.name) return named.key;
    }
    if (name.size() == 1)
        return static_cast<WORD>(VkKeyScanW(static_cast<wchar_t>(name[0])) & 0xFF);
    return 0;
}

// Types one chord such as "alt+f" through the system's input queue, as a keyboard does.
bool Chord(const std::string& chord) {
    std::vector<WORD> keys;
    size_t begin = 0;
    for (;;) {
        size_t plus = chord.find('+', begin + 1);
        WORD key = VirtualKey(chord.substr(begin, plus - begin));
        if (!key) return false;
        keys.push_back(key);
        if (plus == std::string::npos) break;
        begin = plus + 1;
    }
    std::vector<INPUT> inputs;
    auto add = [&](WORD key, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    for (WORD key : keys) add(key, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) add(*key, KEYEVENTF_KEYUP);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

int Combo() {
    HWND combo = ComboOf(MainWindow());
    if (!combo) return 1;
    // The process boundary: read the entries through memory of the program's own.
    DWORD pid = 0;
    GetWindowThreadProcessId(combo, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return 1;
    const SIZE_T size = sizeof(COMBOBOXEXITEMW) + 512 * sizeof(wchar_t);
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE;
        item.iItem = i;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof item);
        item.cchTextMax = 511;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
        wchar_t text[512] = {};
        ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
        ReadProcessMemory(process, remote + sizeof item, text, sizeof text - sizeof(wchar_t),
                          nullptr);
        std::printf("%s|%d\n", Narrow(text).c_str(), item.iImage);
    }
    std::printf("selected=%d\n", static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) + 1);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string command = argv[1];
    std::string arg = argc > 2 ? argv[2] : "";
    int ms = argc > 3 ? std::atoi(argv[3]) : 5000;

    if (command == "wait-main") return WaitFor(ShownMainWindow, std::atoi(arg.c_str())) ? 0 : 1;
    if (command == "wait-icon") return WaitFor(TrayIcon, std::atoi(arg.c_str())) ? 0 : 1;
    if (command == "combo") return Combo();
    if (command == "click" || command == "checked" || command == "enter") {
        HWND control = ChildWithCaption(MainWindow(), Widen(arg));
        if (!control) {
            std::printf("no control \"%s\"\n", arg.c_str());
            return 1;
        }
        if (command == "enter") {
            PostMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(control, WM_KEYUP, VK_RETURN, 0xC0000001);
        } else if (command == "checked") {
            std::printf("%d\n", static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
        } else {
            PostMessageW(control, BM_CLICK, 0, 0);
        }
        return 0;
    }
    if (command == "visible" || command == "icon") {
        HWND window = command == "icon" ? TrayIcon() : MainWindow();
        std::printf("%d\n", window && (command == "icon" || IsWindowVisible(window)) ? 1 : 0);
        return 0;
    }
    if (command == "tray") {
        HWND icon = TrayIcon();
        if (!icon) return 1;
        UINT up = arg == "right" ? WM_RBUTTONUP : WM_LBUTTONUP;
        PostMessageW(icon, up == WM_RBUTTONUP ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, 0);
        return PostMessageW(icon, up, 0, 0) ? 0 : 1;
    }
    if (command == "resume") {
        DWORD_PTR result = 1;  // sent, as the system sends it
        return SendMessageTimeoutW(MainWindow(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0,
                                   SMTO_ABORTIFHUNG, 5000, &result) &&
                       result == 0
                   ? 0
                   : 1;
    }
    if (command == "text") {
        std::wstring typed = Widen(arg);
        std::vector<INPUT> inputs;
        for (wchar_t c : typed) {
            for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
                INPUT in{};
                in.type = INPUT_KEYBOARD;
                in.ki.wScan = c;
                in.ki.dwFlags = KEYEVENTF_UNICODE | up;
                inputs.push_back(in);
            }
        }
        return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
                       inputs.size()
                   ? 0
                   : 1;
    }
    if (command == "wait-window") {
        std::wstring title = Widen(arg);
        return WaitFor(
                   [&] {
                       HWND w = FindWindowW(L"VelkorForm", title.c_str());
                       return w && IsWindowVisible(w) ? w : nullptr;
                   },
                   ms)
                   ? 0
                   : 1;
    }
    if (command == "captions") {
        HWND window = arg.empty() ? MainWindow() : FindWindowW(L"VelkorForm", Widen(arg).c_str());
        if (!window) return 1;
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[64] = {};
            GetClassNameW(child, cls, 64);
            if (!IsWindowVisible(child) || std::wstring(cls) == WC_COMBOBOXEXW) continue;
            std::string text = OneLine(Narrow(TextOf(child)));
            if (!text.empty()) std::printf("%s\n", text.c_str());
        }
        return 0;
    }
    if (command == "activate") {  // as a click on the window's title bar brings it to the front
        std::wstring title = arg.empty() ? L"Velkor" : Widen(arg);
        // Keys typed next go to whatever is in front: only report success once this window is.
        return WaitFor(
                   [&]() -> HWND {
                       HWND w = FindWindowW(L"VelkorForm", title.c_str());
                       if (!w || !IsWindowVisible(w) || !IsWindowEnabled(w)) return nullptr;
                       if (GetForegroundWindow() != w) SetForegroundWindow(w);
                       return GetForegroundWindow() == w ? w : nullptr;
                   },
                   5000)
                   ? 0
                   : 1;
    }
    if (command == "link" && argc > 3) {
        HWND window = FindWindowW(L"VelkorForm", Widen(arg).c_str());
        HWND link = window ? ChildWithCaption(window, Widen(argv[3])) : nullptr;
        if (!link) return 1;
        RECT r{};
        GetClientRect(link, &r);
        const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
        // The pointer arrives over the link before the button goes down, as with a mouse.
        SendMessageTimeoutW(link, WM_MOUSEMOVE, 0, middle, SMTO_ABORTIFHUNG, 2000, nullptr);
        PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        return PostMessageW(link, WM_LBUTTONUP, 0, middle) ? 0 : 1;
    }
    if (command == "keys") {
        for (int i = 2; i < argc; ++i) {
            if (!Chord(argv[i])) {
                std::printf("cannot type \"%s\"\n", argv[i]);
                return 1;
            }
            Sleep(100);  // a person's pace: menus open between the keys
        }
        return 0;
    }
    if (command == "kill") {
        DWORD pid = 0;
        GetWindowThreadProcessId(MainWindow(), &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) return 1;
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
        return 0;
    }
    if (command == "close") return PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (command == "box") {
        HWND box = WaitFor(MessageBoxWindow, ms);
        if (!box) {
            std::printf("no message box\n");
            return 1;
        }
        std::string text = OneLine(Narrow(TextOf(GetDlgItem(box, 0xFFFF))));
        std::printf("%s|%s\n", Narrow(TextOf(box)).c_str(), text.c_str());
        HWND button = GetDlgItem(box, arg == "cancel" ? IDCANCEL : IDOK);
        return button && PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == "no-box") {
        HWND box = WaitFor(MessageBoxWindow, std::atoi(arg.c_str()));
        if (box)
            std::printf("unexpected box: %s\n", Narrow(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
        return box ? 1 : 0;
    }
    return 2;
}
