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
//   mount L DIR DEVICE [quiet] | unmount L [quiet] | replug L DIR DEVICE   the mount manager adds
//                              CD-ROM drive L: (a Unix folder and a raw device) as Wine's drive
//                              configuration does, takes it away, or both at once; the windows
//                              are told as the system tells them ("quiet": not told)
//   devnodes                   the windows are told only that devices changed
//   monkey SEED STEPS FOLDER LOG WORK   the random-action run (Monkey.cpp); WORK is the Unix
//                              folder with discL and dev/cdL of drives D to F
#include <windows.h>
// after windows.h
#include <dbt.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DriverInput.h"
#include "platform/Messages.h"
#include "win32/Utf.h"

namespace velkor::e2e {
int Monkey(unsigned seed, int steps, const std::wstring& folder, const std::wstring& log,
           const std::string& work);
}

namespace {

using namespace velkor::e2e;
using velkor::win32::Widen;

// A command's arguments, after its name; "" past the last.
struct Args {
    std::vector<std::string> words;
    std::string operator[](size_t i) const { return i < words.size() ? words[i] : ""; }
    int Number(size_t i, int otherwise) const {
        return i < words.size() ? std::atoi(words[i].c_str()) : otherwise;
    }
    char Letter() const { return static_cast<char>((*this)[0][0] & ~0x20); }  // of a drive
};

int Code(bool done) {
    return done ? 0 : 1;
}

int Print(const std::string& line, bool done = true) {
    std::printf("%s\n", line.c_str());
    return Code(done);
}

// The main window exists, hidden, while start-up still runs (a password prompt, the drive
// list): only a shown one takes keys and clicks.
HWND ShownMainWindow() {
    return Shown(MainWindow());
}

// "window title|text" of the control with the program's keyboard focus ("" without one).
std::string FocusedText() {
    DWORD pid = 0;
    GUITHREADINFO info{sizeof info};
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), &pid), &info) || !info.hwndFocus)
        return "";
    return Caption(GetAncestor(info.hwndFocus, GA_ROOT)) + "|" + Caption(info.hwndFocus);
}

HWND TopLevel(const std::string& title) {
    return title.empty() ? MainWindow() : FindWindowW(L"VelkorForm", Widen(title).c_str());
}

// That control of that window (the main one without a title), or nullptr after saying so.
HWND ControlOf(const std::string& caption, const std::string& title, HWND& window) {
    window = TopLevel(title);
    HWND control = window ? ChildWithCaption(window, Widen(caption)) : nullptr;
    if (!control) std::printf("no control \"%s\"\n", caption.c_str());
    return control;
}

// The start of a program timed from a process that runs already, so that no measuring process's
// own start is in the figure. Polled every 5 ms: polling every millisecond loaded Wine's server,
// which the starting program needs, and spread the figures more.
int StartTimed(const Args& a) {
    // "EXE ARGS": the program and its command line's arguments.
    const std::string exe = a[1], what = a[2];
    const size_t space = std::min(exe.find(' '), exe.size());
    const std::wstring folder = Widen(a[0]), path = folder + L"\\" + Widen(exe.substr(0, space));
    std::wstring line = L"\"" + path + L"\"" + Widen(exe.substr(space));
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION started{};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        return 1;
    }
    CloseHandle(started.hThread);
    for (;;) {
        QueryPerformanceCounter(&now);
        const double elapsed =
            static_cast<double>(now.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart;
        const bool there = what == "exit"   ? WaitForSingleObject(started.hProcess, 0) == 0
                           : what == "icon" ? TrayIcon() != nullptr
                                            : ShownMainWindow() != nullptr;
        if (there || elapsed > std::atof(a[3].c_str())) {
            CloseHandle(started.hProcess);
            if (there) std::printf("%.0f\n", elapsed);
            return Code(there);
        }
        Sleep(5);
    }
}

int Tray(const Args& a) {
    HWND icon = TrayIcon();
    if (!icon) return 1;
    const std::string how = a[0];
    if (how == "enter" || how == "menu-key") {
        RECT r{};
        GetWindowRect(icon, &r);
        const WPARAM anchor = MAKEWPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        if (!PostMessageW(MainWindow(), velkor::msg::kTrayCallback, anchor,
                          how == "enter" ? velkor::msg::kNinKeySelect : velkor::msg::kContextMenu))
            return 1;
    } else if (!Click(icon, how == "right")) {
        return 1;
    }
    if (how == "left" || how == "enter" ||
        WaitFor([] { return Shown(FindWindowW(L"#32768", nullptr)); }, 3000))
        return 0;
    // Told apart for the log: a program that took no message for a while, or no menu.
    DWORD_PTR answer = 0;
    return Print(SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &answer)
                     ? "no pop-up menu, though the program answers"
                     : "no pop-up menu: the program has not answered for 3 s",
                 false);
}

int Run(const std::string& command, const Args& a) {
    if (command == "wait-main") return Code(WaitFor(ShownMainWindow, a.Number(0, 0)));
    if (command == "wait-icon") return Code(WaitFor(TrayIcon, a.Number(0, 0)));
    if (command == "wait-box" || command == "no-box") {
        const bool wanted = command == "wait-box";
        HWND box = WaitFor(MessageBoxWindow, a.Number(0, 0));
        if (box) Print((wanted ? "" : "unexpected box: ") + BoxText(box));
        return Code((box != nullptr) == wanted);
    }
    if (command == "wait-window") {
        const std::wstring title = Widen(a[0]);
        return Code(WaitFor([&] { return ShownWindow(title); }, a.Number(1, 5000)));
    }
    if (command == "start-timed" && a.words.size() >= 4) return StartTimed(a);
    if (command == "combo") {
        const std::string state = ComboState(MainWindow());
        std::printf("%s", state.c_str());
        return Code(!state.empty());
    }
    if (command == "captions") {
        HWND window = TopLevel(a[0]);
        if (!window) return 1;
        for (HWND child : Children(window)) {
            if (!IsWindowVisible(child) || ClassOf(child) == WC_COMBOBOXW) continue;
            const std::string text = Caption(child);
            if (!text.empty()) Print(text);
        }
        return 0;
    }
    // A command without the words it needs is the script's mistake: told as an unknown one.
    if ((command == "link" && a.words.size() < 2) ||
        ((command == "mount" || command == "replug") && a.words.size() < 3)) {
        return 2;
    }
    if (command == "click" || command == "checked" || command == "enabled" || command == "link") {
        HWND window = nullptr;  // link TITLE CAPTION, the others CAPTION [TITLE]
        const bool link = command == "link";
        HWND control = ControlOf(a[link ? 1 : 0], a[link ? 0 : 1], window);
        if (!control) return 1;
        if (command == "checked") {
            return Print(std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)));
        }
        if (command == "enabled") return Print(IsWindowEnabled(control) ? "1" : "0");
        return Code(Activate(window) && Click(control));
    }
    if (command == "visible") return Print(ShownMainWindow() ? "1" : "0");
    if (command == "icon") return Print(TrayIcon() ? "1" : "0");
    if (command == "hidden-children") {
        int hidden = 0;
        for (HWND child : Children(MainWindow())) hidden += IsWindowVisible(child) ? 0 : 1;
        return Print(std::to_string(hidden));
    }
    if (command == "focused") {
        const std::string focused = FocusedText();
        return Print(focused, !focused.empty());
    }
    if (command == "tabs") {  // after each of N presses, "|text" of the focus
        std::string walk;
        for (int i = 0, n = a.Number(1, 1); i < n; ++i) {
            if (!Chord(a[0])) return 1;
            Sleep(100);
            const std::string focused = FocusedText();
            walk += (i ? " " : "") + focused.substr(focused.find('|'));
        }
        return Print(walk);
    }
    if (command == "activate") {
        const std::wstring title = a[0].empty() ? L"Velkor" : Widen(a[0]);
        return Code(WaitFor(
            [&]() -> HWND {
                HWND w = ShownWindow(title);
                return w && Activate(w, 200) ? w : nullptr;
            },
            5000));
    }
    if (command == "keys") {
        for (const std::string& key : a.words) {
            if (!Chord(key)) return Print("cannot type \"" + key + "\"", false);
            Sleep(100);  // a person's pace: menus open between the keys
        }
        return 0;
    }
    if (command == "text") return Code(Type(Widen(a[0])));
    if (command == "box") {
        const std::string seen = AnswerBox(a[0] != "cancel", a.Number(1, 5000));
        return Print(seen.empty() ? "no message box" : seen,
                     !seen.empty() && seen.find("(not answered)") == std::string::npos);
    }
    if (command == "close") return Code(PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0));
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
    if (command == "tray") return Tray(a);
    if (command == "resume") return Code(Resume(a[0] == "automatic"));
    if (command == "forge") {
        for (int id = 107; id <= 109; ++id) {
            PostMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
        return 0;
    }
    if (command == "hold") {
        HANDLE file = CreateFileW(Widen(a[0]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        Print("held");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(a.Number(1, 5000)));
        CloseHandle(file);
        return 0;
    }
    if (command == "mount") return Code(Plug(a.Letter(), a[1], a[2], a[3] != "quiet"));
    if (command == "unmount") return Code(Unplug(a.Letter(), a[1] != "quiet"));
    // Taken away and plugged in again, within one burst.
    if (command == "replug") return Code(Unplug(a.Letter()) && Plug(a.Letter(), a[1], a[2]));
    if (command == "devnodes") {
        DWORD recipients = BSM_APPLICATIONS;
        BroadcastSystemMessageW(BSF_FORCEIFHUNG, &recipients, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED,
                                0);
        return 0;
    }
    if (command == "monkey" && a.words.size() >= 5) {
        return Monkey(static_cast<unsigned>(std::strtoul(a[0].c_str(), nullptr, 10)),
                      a.Number(1, 0), Widen(a[2]), Widen(a[3]), a[4]);
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    return argc < 2 ? 2 : Run(argv[1], Args{std::vector<std::string>(argv + 2, argv + argc)});
}
