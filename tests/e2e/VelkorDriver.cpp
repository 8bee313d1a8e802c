// Drives a running Velkor from outside, as a person would: reads its windows, types through the
// keyboard and clicks with the mouse. VelkorDriver COMMAND ARGS; exit code 1 when what was asked
// for is not there. Windows: the main one unless a TITLE is given.
//   wait-main|wait-icon|wait-box|no-box MS   wait for the main window, the icon, a message box
//                              ("title|text", left open), or fail if a box shows within MS
//   wait-window TITLE MS       wait for a shown window with that title
//   combo                      the drive selector: "text|image" lines, then "selected=N"
//   captions [TITLE]           the texts of a window's controls, one a line
//   click|checked|enabled CAPTION [TITLE]   click that control; or print "1"/"0"
//   visible | icon | hidden-children        "1"/"0": main window shown, icon there; a count
//   focused                    "window title|text" of the control with the keyboard focus
//   tabs KEY N                 press KEY (tab, shift+tab) N times: "|text" of each focus
//   activate [TITLE]           bring that window to the front, and wait until it is there
//   link TITLE CAPTION         click that window's link with the mouse
//   keys KEY... | text STRING  type chords ("alt+f", "enter", "shift+left") or any characters
//   box ok|cancel MS           wait for a message box, print "title|text", answer by Enter/Escape
//   close | kill               the title bar's close command; end the process at once
//   tray left|right            click the icon (after a right click, wait 3 s for its menu)
//   tray enter|menu-key        the shell's events for the keyboard on the icon (Wine's tray takes
//                              no focus): NIN_KEYSELECT, or WM_CONTEXTMENU (then the menu)
//   resume [automatic]         the system says it resumed from standby (after a key press, or
//                              at every wake)
//   forge                      another program posts clicks of the ids 107 to 109 (once hidden
//                              flag controls) to the main window
//   hold PATH MS               another program holds the file open, unshared, for MS
//   start-timed FOLDER "EXE [ARGS]" main|icon|exit MS   start FOLDER\EXE from this process and
//                              print the ms until its main window (icon, end) is there
//   mount L DIR DEVICE | unmount L [quiet] | replug L DIR DEVICE | devnodes   the mount manager
//                              adds CD-ROM drive L: (a Unix folder and a raw device) as Wine's
//                              drive configuration does, takes it away, or both at once, and the
//                              windows are told as the system tells them ("quiet": not told);
//                              devnodes: only that devices changed
//   monkey SEED STEPS FOLDER LOG WORK   the random-action run (Monkey.cpp); WORK is the Unix
//                              folder with discL and dev/cdL of drives D to F
#include <windows.h>
// after windows.h
#include <dbt.h>
// after windows.h
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "DriverInput.h"
#include "platform/Messages.h"
#include "win32/Utf.h"

namespace velkor::e2e {
int Monkey(unsigned seed, int steps, const std::wstring& folder, const std::wstring& log,
           const std::string& work);
}

namespace {

using namespace velkor::e2e;
using velkor::win32::Narrow;
using velkor::win32::Widen;

// The main window exists, hidden, while start-up still runs (a password prompt, the drive
// list): only a shown one takes keys and clicks.
HWND ShownMainWindow() {
    HWND window = MainWindow();
    return window && IsWindowVisible(window) ? window : nullptr;
}

// "window title|text" of the control with the program's keyboard focus ("" without one).
std::string FocusedText() {
    DWORD pid = 0;
    GUITHREADINFO info{sizeof info};
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), &pid), &info) || !info.hwndFocus)
        return "";
    return OneLine(Narrow(TextOf(GetAncestor(info.hwndFocus, GA_ROOT)))) + "|" +
           OneLine(Narrow(TextOf(info.hwndFocus)));
}

HWND TopLevel(const std::string& title) {
    return title.empty() ? MainWindow() : FindWindowW(L"VelkorForm", Widen(title).c_str());
}

// The start of a program timed from a process that runs already, so that no measuring process's
// own start is in the figure. Polled every 5 ms: polling every millisecond loaded Wine's server,
// which the starting program needs, and spread the figures more.
int StartTimed(const std::string& folder, const std::string& exe, const std::string& what,
               const char* ms) {
    // "EXE ARGS": the program and its command line's arguments.
    const std::wstring where = Widen(folder), program = Widen(exe.substr(0, exe.find(' ')));
    const std::wstring path = where + L"\\" + program;
    std::wstring line = L"\"" + path + L"\"" + Widen(exe.substr(program.size()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        where.c_str(), &startup, &started)) {
        return 1;
    }
    CloseHandle(started.hThread);
    const double limit = std::atof(ms);
    for (;;) {
        QueryPerformanceCounter(&now);
        const double elapsed =
            static_cast<double>(now.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart;
        const bool there = what == "exit"   ? WaitForSingleObject(started.hProcess, 0) == 0
                           : what == "icon" ? TrayIcon() != nullptr
                                            : ShownMainWindow() != nullptr;
        if (there) {
            CloseHandle(started.hProcess);
            std::printf("%.0f\n", elapsed);
            return 0;
        }
        if (elapsed > limit) return CloseHandle(started.hProcess), 1;
        Sleep(5);
    }
}

int Run(int argc, char** argv) {
    std::string command = argv[1];
    std::string arg = argc > 2 ? argv[2] : "";
    int ms = argc > 3 ? std::atoi(argv[3]) : 5000;

    if (command == "wait-main") return WaitFor(ShownMainWindow, std::atoi(arg.c_str())) ? 0 : 1;
    if (command == "start-timed" && argc > 5) return StartTimed(argv[2], argv[3], argv[4], argv[5]);
    if (command == "wait-icon") return WaitFor(TrayIcon, std::atoi(arg.c_str())) ? 0 : 1;
    if (command == "combo") {
        std::string state = ComboState(MainWindow());
        std::printf("%s", state.c_str());
        return state.empty() ? 1 : 0;
    }
    if (command == "click" || command == "checked" || command == "enabled") {
        HWND window = TopLevel(argc > 3 ? argv[3] : "");
        HWND control = window ? ChildWithCaption(window, Widen(arg)) : nullptr;
        if (!control) {
            std::printf("no control \"%s\"\n", arg.c_str());
            return 1;
        }
        if (command == "checked") {
            std::printf("%d\n", static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
            return 0;
        }
        if (command == "enabled") {
            std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
            return 0;
        }
        return Activate(window) && Click(control) ? 0 : 1;
    }
    if (command == "hidden-children") {
        int hidden = 0;
        for (HWND c = GetWindow(MainWindow(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) ++hidden;
        }
        std::printf("%d\n", hidden);
        return 0;
    }
    if (command == "replug") {  // taken away and plugged in again, within one burst
        const char letter = static_cast<char>(arg[0] & ~0x20);
        if (argc < 5 || !DefineDrive(letter, DRIVE_NO_ROOT_DIR, "", "")) return 1;
        TellVolume(letter, DBT_DEVICEREMOVECOMPLETE);
        if (!DefineDrive(letter, DRIVE_CDROM, argv[3], argv[4])) return 1;
        TellVolume(letter, DBT_DEVICEARRIVAL);
        return 0;
    }
    if (command == "mount" || command == "unmount") {
        const bool mount = command == "mount";
        const char letter = arg.empty() ? 'A' : static_cast<char>(arg[0] & ~0x20);
        if (!DefineDrive(letter, mount ? DRIVE_CDROM : DRIVE_NO_ROOT_DIR,
                         mount && argc > 3 ? argv[3] : "", mount && argc > 4 ? argv[4] : "")) {
            return 1;
        }
        const bool quiet = argc > (mount ? 5 : 3) && std::string(argv[mount ? 5 : 3]) == "quiet";
        if (!quiet) TellVolume(letter, mount ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE);
        return 0;
    }
    if (command == "devnodes") {
        DWORD recipients = BSM_APPLICATIONS;
        BroadcastSystemMessageW(BSF_FORCEIFHUNG, &recipients, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED,
                                0);
        return 0;
    }
    if (command == "forge") {
        for (int id = 107; id <= 109; ++id) {
            PostMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
        return 0;
    }
    if (command == "hold") {
        HANDLE file = CreateFileW(Widen(arg).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        std::printf("held\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(ms));
        CloseHandle(file);
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
        if (arg == "enter" || arg == "menu-key") {
            RECT r{};
            GetWindowRect(icon, &r);
            const WPARAM anchor = MAKEWPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            if (!PostMessageW(
                    MainWindow(), velkor::msg::kTrayCallback, anchor,
                    arg == "enter" ? velkor::msg::kNinKeySelect : velkor::msg::kContextMenu))
                return 1;
        } else if (!Click(icon, arg == "right")) {
            return 1;
        }
        if (arg == "left" || arg == "enter") return 0;
        if (WaitFor(
                [] {
                    HWND menu = FindWindowW(L"#32768", nullptr);
                    return menu && IsWindowVisible(menu) ? menu : nullptr;
                },
                3000))
            return 0;
        // Told apart for the log: a program that took no message for a while, or no menu.
        DWORD_PTR answer = 0;
        std::printf(SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &answer)
                        ? "no pop-up menu, though the program answers\n"
                        : "no pop-up menu: the program has not answered for 3 s\n");
        return 1;
    }
    if (command == "resume") return Resume(arg == "automatic") ? 0 : 1;
    if (command == "text") return Type(Widen(arg)) ? 0 : 1;
    if (command == "wait-window") {
        std::wstring title = Widen(arg);
        return WaitFor([&] { return ShownWindow(title); }, ms) ? 0 : 1;
    }
    if (command == "captions") {
        HWND window = TopLevel(arg);
        if (!window) return 1;
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[64] = {};
            GetClassNameW(child, cls, 64);
            if (!IsWindowVisible(child) || std::wstring(cls) == WC_COMBOBOXW) continue;
            std::string text = OneLine(Narrow(TextOf(child)));
            if (!text.empty()) std::printf("%s\n", text.c_str());
        }
        return 0;
    }
    if (command == "focused") {
        const std::string focused = FocusedText();
        std::printf("%s\n", focused.c_str());
        return focused.empty() ? 1 : 0;
    }
    if (command == "tabs") {  // tabs KEY N: after each of N presses, "|text" of the focus
        std::string walk;
        for (int i = 0, n = argc > 3 ? std::atoi(argv[3]) : 1; i < n; ++i) {
            if (!Chord(arg)) return 1;
            Sleep(100);
            const std::string focused = FocusedText();
            walk += (i ? " " : "") + focused.substr(focused.find('|'));
        }
        std::printf("%s\n", walk.c_str());
        return 0;
    }
    if (command == "activate") {
        std::wstring title = arg.empty() ? L"Velkor" : Widen(arg);
        return WaitFor(
                   [&]() -> HWND {
                       HWND w = ShownWindow(title);
                       return w && Activate(w, 200) ? w : nullptr;
                   },
                   5000)
                   ? 0
                   : 1;
    }
    if (command == "link" && argc > 3) {
        HWND window = TopLevel(arg);
        HWND link = window ? ChildWithCaption(window, Widen(argv[3])) : nullptr;
        return link && Activate(window) && Click(link) ? 0 : 1;
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
        std::string seen = AnswerBox(arg != "cancel", ms);
        std::printf("%s\n", seen.empty() ? "no message box" : seen.c_str());
        return seen.empty() || seen.find("(not answered)") != std::string::npos ? 1 : 0;
    }
    if (command == "wait-box" || command == "no-box") {
        const bool wanted = command == "wait-box";
        HWND box = WaitFor(MessageBoxWindow, std::atoi(arg.c_str()));
        if (box) {
            std::printf("%s%s|%s\n", wanted ? "" : "unexpected box: ", Narrow(TextOf(box)).c_str(),
                        OneLine(Narrow(TextOf(GetDlgItem(box, 0xFFFF)))).c_str());
        }
        return (box != nullptr) == wanted ? 0 : 1;
    }
    if (command == "monkey" && argc > 6) {
        return Monkey(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)), std::atoi(argv[3]),
                      Widen(argv[4]), Widen(argv[5]), argv[6]);
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    return argc < 2 ? 2 : Run(argc, argv);
}
