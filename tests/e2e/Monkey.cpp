// The random-action run: seeded user actions against the real program with simulated drives,
// typed and clicked as a person does, and events of the world between them (a drive plugged in,
// taken away or replugged under its letter, a device that refuses, the password file held open
// by another program, a wake from standby of either kind); after every step the promises a user
// relies on: the program runs, no error report came up, each drive shows the state its device
// last accepted, and with a password stored no unlock, open or close reached a device unless the
// right password was typed for it. The seed is printed; the same seed replays the same run.
#include <windows.h>
// after windows.h
#include <dbt.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DriverInput.h"
#include "win32/Utf.h"

namespace velkor::e2e {
namespace {

using win32::Narrow;
using win32::Widen;

constexpr wchar_t kPassword[] = L"Kiosk42";

// A file's bytes, read while others may be writing it.
std::string Slurp(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

// The shown children of a window that satisfy `keep`, in z-order.
template <class Keep>
std::vector<HWND> Children(HWND parent, Keep keep) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsWindowVisible(c) && IsWindowEnabled(c) && keep(c)) found.push_back(c);
    }
    return found;
}

std::vector<HWND> Buttons(HWND parent, LONG kind) {
    return Children(parent, [kind](HWND c) {
        return ClassOf(c) == L"Button" && (GetWindowLongW(c, GWL_STYLE) & 0x0F) == kind;
    });
}

std::vector<HWND> PasswordBoxes(HWND parent) {
    return Children(parent, [](HWND c) {
        return ClassOf(c) == L"Edit" && (GetWindowLongW(c, GWL_STYLE) & ES_PASSWORD);
    });
}

// The program's own shown windows besides the main one.
std::vector<HWND> Dialogs() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"VelkorForm", nullptr); w;
         w = FindWindowExW(nullptr, w, L"VelkorForm", nullptr)) {
        if (IsWindowVisible(w) && w != MainWindow()) found.push_back(w);
    }
    return found;
}

class MonkeyRun {
  public:
    MonkeyRun(unsigned seed, std::wstring folder, std::wstring log, std::string work)
        : random_(seed), folder_(std::move(folder)), log_(std::move(log)), work_(std::move(work)) {}

    int Run(int steps) {
        if (!Start()) return Fail("the program did not start");
        for (step_ = 1; step_ <= steps && failures_ == 0; ++step_) {
            // An action whose message box or prompt is still open goes on in this step, with the
            // password given for it (or as the system's).
            Mark();
            if (!underWay_) {
                protectedAtStart_ = PasswordStored();
                granted_ = system_ = false;
            }
            if (Running() && Chance(12)) {
                WorldEvent();
            } else {
                Act();
            }
            Settle();
            Check();
            EndOfStep();
            underWay_ = Running() && (MessageBoxWindow() || !Dialogs().empty());
        }
        Stop();
        std::printf("monkey: %d steps, %d failures\n", step_ - 1, failures_);
        return failures_ == 0 ? 0 : 1;
    }

  private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    int Fail(const std::string& what) {
        ++failures_;
        std::printf("monkey: step %d: FAILED: %s\n", step_, what.c_str());
        return 1;
    }
    void Say(const std::string& what) { std::printf("  %d: %s\n", step_, what.c_str()); }

    bool Start() {
        std::wstring exe = folder_ + L"\\Velkor.exe";
        STARTUPINFOW startup{sizeof startup};
        if (process_.hProcess) CloseHandle(process_.hProcess), CloseHandle(process_.hThread);
        process_ = {};
        if (!CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                            folder_.c_str(), &startup, &process_)) {
            return false;
        }
        system_ = true;  // start-up unlocks every drive before its policy, by design
        return true;
    }

    void Stop() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 10000);
    }

    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    // An ended program's exit code other than 0 is a failure.
    bool EndedCleanly() {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        if (code != 0) Fail("the program ended abnormally, exit code " + std::to_string(code));
        return code == 0;
    }

    bool PasswordStored() const {
        std::istringstream in(Slurp(folder_ + L"\\password.txt"));
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("Password=", 0) == 0 && line.size() > 10) return true;
        }
        return false;
    }

    // Types a password as a person might: right, right with a slip mended by Backspace or by
    // selecting and typing over it, pasted, or wrong.
    void TypePassword(bool right) {
        std::wstring word = kPassword;
        if (!right) {
            word = Chance(50) ? L"kiosk42" : L"Kiosk4";
            Type(word);
            Say("typed a wrong password");
            return;
        }
        switch (Pick(4)) {
            case 0:
                Type(word);
                break;
            case 1:  // a slip, mended
                Type(word.substr(0, 4) + L"x");
                Chord("backspace");
                Type(word.substr(4));
                break;
            case 2:  // the end typed first, then the start at Home
                Type(word.substr(3));
                Chord("home");
                Type(word.substr(0, 3));
                break;
            default:  // pasted
                SetClipboard(word);
                Chord("ctrl+v");
                break;
        }
        Say("typed the right password");
    }

    // Focuses a box the way a person does: a click into it, after clearing what it holds.
    void IntoBox(HWND box) {
        Click(box);
        Sleep(50);
        Chord("ctrl+a");  // may do nothing in a one-line box: then End and Backspace
        Chord("end");
        for (int i = 0; i < 12; ++i) Chord("shift+left");
        Chord("delete");
    }

    void Answer(HWND window, bool accept) {
        switch (Pick(3)) {
            case 0:
                Chord(accept ? "enter" : "esc");
                break;
            case 1:
                Chord(accept ? "enter" : "alt+f4");  // the close command
                break;
            default: {  // a click on the button
                std::vector<HWND> buttons = Buttons(window, BS_PUSHBUTTON);
                std::vector<HWND> defaults = Buttons(window, BS_DEFPUSHBUTTON);
                HWND target = accept ? (defaults.empty() ? nullptr : defaults[0])
                                     : (buttons.empty() ? nullptr : buttons.back());
                if (target) {
                    Click(target);
                } else {
                    Chord(accept ? "enter" : "esc");
                }
            }
        }
    }

    void OnMessageBox(HWND box) {
        std::string text = OneLine(Narrow(TextOf(GetDlgItem(box, 0xFFFF))));
        // A drive that was made to refuse is reported so, by its letter; no other failure is.
        const bool refusal = text.find("could not be") != std::string::npos && text.size() > 2 &&
                             text[1] == ':' && refused_.count(text[0]);
        if (text.rfind("Error in Module", 0) == 0 ||
            (text.find("could not be") != std::string::npos && !refusal)) {
            Fail("an error report: " + text);
        }
        const bool ok = Chance(60);
        Say(std::string("message box \"") + text.substr(0, 40) + "\": " + (ok ? "OK" : "Cancel"));
        AnswerBox(ok, 1000);
    }

    void OnPrompt(HWND prompt) {
        Activate(prompt, 2000);
        const int choice = Pick(10);
        if (choice < 6) {
            std::vector<HWND> boxes = PasswordBoxes(prompt);
            if (!boxes.empty()) IntoBox(boxes[0]);
            const bool right = choice < 4;
            TypePassword(right);
            Answer(prompt, true);
            if (right) {
                granted_ = true;
                Sleep(1300);  // the gate looks at the answer once a second
            }
        } else {
            Say("prompt cancelled");
            Answer(prompt, false);
        }
    }

    void OnSetPassword(HWND dialog) {
        Activate(dialog, 2000);
        if (Chance(25)) {
            Say("set-password cancelled");
            Answer(dialog, false);
            return;
        }
        // The old password right or wrong; the new one always the run's own, and its repeat now
        // and then another word, which is refused: so the password stored is always the one this
        // run types as right (a wrong word typed twice would become the password).
        const bool right = Chance(75);
        const std::vector<HWND> boxes = PasswordBoxes(dialog);
        for (size_t i = 0; i < boxes.size(); ++i) {
            IntoBox(boxes[i]);
            const bool old = boxes.size() == 3 && i == 0, repeat = i + 1 == boxes.size();
            TypePassword(old ? right : !(repeat && Chance(15)));
        }
        Answer(dialog, true);
        if (PasswordStored() && right) granted_ = true;  // the old one was asked and given
    }

    void OnPreferences(HWND preferences) {
        Activate(preferences, 2000);
        std::vector<HWND> boxes = Buttons(preferences, BS_3STATE);
        std::vector<HWND> options = Buttons(preferences, BS_RADIOBUTTON);
        std::vector<HWND> pushes = Buttons(preferences, BS_PUSHBUTTON);
        std::vector<HWND> defaults = Buttons(preferences, BS_DEFPUSHBUTTON);
        const int choice = Pick(10);
        if (choice < 2 && !PasswordStored() && !boxes.empty()) {
            // Most runs would rarely come to a password otherwise.
            for (HWND box : boxes) {
                if (TextOf(box).find(L"Pass") == std::wstring::npos) continue;
                Say("preferences: the password switch");
                Click(box);
                return;
            }
        }
        if (choice < 5 && !boxes.empty()) {
            HWND box = boxes[Pick(static_cast<int>(boxes.size()))];
            Say("preferences: click \"" + Narrow(TextOf(box)) + "\"");
            Click(box);
        } else if (choice < 6 && !options.empty()) {
            Say("preferences: language");
            Click(options[Pick(static_cast<int>(options.size()))]);
        } else if (choice < 7) {
            // Apply (the default) or Set password; never the update check, which has no server.
            std::vector<HWND> safe = defaults;
            for (HWND b : pushes) {
                if (TextOf(b).find(L"...") != std::wstring::npos &&
                    TextOf(b).find(L"pass") != std::wstring::npos) {
                    safe.push_back(b);
                }
            }
            if (!safe.empty()) {
                HWND b = safe[Pick(static_cast<int>(safe.size()))];
                Say("preferences: \"" + Narrow(TextOf(b)) + "\"");
                Click(b);
            }
        } else {
            Say("preferences: closed");
            Chord(Chance(50) ? "esc" : "alt+f4");
        }
    }

    void MainWindowAction(HWND main) {
        if (!IsWindowVisible(main)) {
            if (HWND icon = TrayIcon()) {
                Say("icon: left click shows the window");
                Click(icon);
            }
            return;
        }
        Activate(main, 2000);
        const int choice = Pick(100);
        if (choice < 12) {
            std::vector<HWND> options = Buttons(main, BS_RADIOBUTTON);
            if (options.empty()) return;
            HWND option = options[Pick(static_cast<int>(options.size()))];
            Say("option \"" + Narrow(TextOf(option)) + "\"");
            Click(option);
        } else if (choice < 20) {
            Say("all drives box");
            std::vector<HWND> boxes = Buttons(main, BS_3STATE);
            if (!boxes.empty()) Click(boxes[0]);
        } else if (choice < 28) {
            HWND combo = ChildOfClass(main, WC_COMBOBOXW);
            Say("another drive in the selector");
            if (combo) Click(combo);
            Sleep(100);
            Chord(Chance(50) ? "down" : "up");
            Chord("enter");
        } else if (choice < 48) {
            Say("the action button");
            std::vector<HWND> defaults = Buttons(main, BS_DEFPUSHBUTTON);
            if (!defaults.empty()) Click(defaults[0]);
        } else if (choice < 60) {
            Say("Edit > Preferences");
            for (const char* key : {"alt", "right", "down", "enter"}) Chord(key), Sleep(80);
        } else if (choice < 63) {
            Say("Help > About");
            for (const char* key : {"alt", "right", "right", "down", "enter"})
                Chord(key), Sleep(80);
        } else if (choice < 74) {
            TrayMenu();
        } else if (choice < 80) {
            Say("the taskbar came back (the system)");
            PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        } else if (choice < 85) {
            Say("minimise");
            PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (choice < 90) {
            Say("Exit (Ctrl+X)");
            Chord("ctrl+x");
        } else {
            Say("the window's close command");
            Chord("alt+f4");
        }
    }

    void TrayMenu() {
        HWND icon = TrayIcon();
        if (!icon) return;
        Say("icon: pop-up menu");
        Click(icon, true);
        Sleep(300);
        const int walk = Pick(9);
        for (int i = 0; i < walk; ++i) Chord("down"), Sleep(60);
        if (Chance(80)) {
            Chord("right");
            Sleep(60);
            for (int i = Pick(3); i > 0; --i) Chord("down"), Sleep(60);
            Chord("enter");
        } else {
            Chord("esc");
            Chord("esc");
        }
    }

    void Act() {
        if (!Running()) {
            if (!EndedCleanly()) return;
            Say("the program ended: started again");
            if (!Start()) Fail("the program did not start again");
            // Start-up has ended when the window or the icon shows, or it asks something.
            WaitFor(
                [] {
                    HWND main = MainWindow();
                    if (main && IsWindowVisible(main)) return main;
                    if (HWND shown = MessageBoxWindow()) return shown;
                    return Dialogs().empty() ? TrayIcon() : Dialogs().front();
                },
                30000);
            Sleep(300);
            return;
        }
        if (HWND box = MessageBoxWindow()) return OnMessageBox(box);
        for (HWND dialog : Dialogs()) {
            const size_t boxes = PasswordBoxes(dialog).size();
            if (boxes == 1) return OnPrompt(dialog);
            if (boxes == 3 || boxes == 2) return OnSetPassword(dialog);
        }
        for (HWND dialog : Dialogs()) {
            if (!Buttons(dialog, BS_3STATE).empty()) return OnPreferences(dialog);
            Say("about box closed");
            Activate(dialog, 2000);
            return (void)Chord(Chance(50) ? "enter" : "esc");
        }
        if (HWND main = MainWindow()) MainWindowAction(main);
    }

    // Gives what the step started time to happen: a box or a dialog, or the handler's end.
    // (An answered prompt waited for the gate's look already.)
    void Settle() {
        for (int waited = 0; waited < 500; waited += 50) {
            Sleep(50);
            if (!Running()) return;
            if (MessageBoxWindow()) return;
        }
    }

    struct DeviceLine {
        std::string request;
        int argument;
        char drive;
    };

    std::vector<DeviceLine> NewDeviceLines() {
        std::istringstream in(Slurp(log_));
        std::vector<DeviceLine> lines;
        size_t index = 0;
        for (std::string line; std::getline(in, line); ++index) {
            if (index < logSeen_ || line.find(" failed") != std::string::npos) continue;
            std::istringstream words(line);
            DeviceLine d{};
            std::string device;
            words >> d.request >> d.argument >> device;
            d.drive = device.empty() ? '?' : device.back();
            lines.push_back(d);
        }
        logSeen_ = index;
        return lines;
    }

    // The requests the devices accepted since the last look; a guarded one must have been let
    // through by the password, or be the system's.
    size_t ReadDevices() {
        const std::vector<DeviceLine> lines = NewDeviceLines();
        for (const DeviceLine& d : lines) {
            if (d.request == "CDROM_LOCKDOOR") locked_[d.drive] = d.argument == 1;
            const bool guarded = (d.request == "CDROM_LOCKDOOR" && d.argument == 0) ||
                                 d.request == "CDROMEJECT" || d.request == "CDROMCLOSETRAY";
            if (guarded && protectedAtStart_ && !granted_ && !system_ && !woke_) {
                Fail(d.request + " " + std::to_string(d.argument) + " reached drive " +
                     std::string(1, d.drive) + " without the password");
            }
        }
        return lines.size();
    }

    void Check() {
        if (failures_) return;
        if (!Running()) {
            EndedCleanly();
            return;
        }
        ReadDevices();
        // The shown state is compared only while nothing is under way, and once a change of the
        // drives has been followed (the program lists them again between the user's steps).
        // A wake is handled once no action runs, on a tick of its 5 s timer.
        if (MessageBoxWindow() || !Dialogs().empty()) return;
        if (drivesChanged_ || woke_) {
            // A tick of the 5 s timer may find the gate busy; the handling is over once the
            // devices are quiet.
            Sleep(woke_ ? 10600 : 1500);
            while (ReadDevices() > 0) Sleep(1000);
            drivesChanged_ = woke_ = false;
            return Check();
        }
        std::istringstream entries(ComboState(MainWindow()));
        for (std::string entry; std::getline(entries, entry);) {
            if (entry.size() < 3 || entry[1] != ':') continue;
            const bool shownLocked = entry.find(" locked|1") != std::string::npos;
            const bool deviceLocked = locked_.count(entry[0]) && locked_[entry[0]];
            if (shownLocked != deviceLocked) {
                Fail("drive " + entry.substr(0, 2) + " shows \"" + entry + "\" but its device is " +
                     (deviceLocked ? "locked" : "unlocked"));
            }
        }
    }

    // The world's events: one a step, in place of the user's action.
    void WorldEvent() {
        const int choice = Pick(4);
        const char letter = "DEF"[Pick(3)];
        if (choice == 0) {
            const bool present = GetLogicalDrives() & (1u << (letter - 'A'));
            const bool replug = present && Chance(60);
            Say(std::string(1, letter) + (replug    ? ": replugged"
                                          : present ? ": away"
                                                    : ": plugged in"));
            if (present) DefineDrive(letter, DRIVE_NO_ROOT_DIR, "", "");
            if (present) TellVolume(letter, DBT_DEVICEREMOVECOMPLETE);
            if (replug || !present) {
                DefineDrive(letter, DRIVE_CDROM, work_ + "/disc" + letter,
                            work_ + "/dev/cd" + letter);
                TellVolume(letter, DBT_DEVICEARRIVAL);
            }
            locked_[letter] = false;  // a device plugged in starts unlocked
            drivesChanged_ = true;
        } else if (choice == 1) {
            Say(std::string("the device of ") + letter + ": refuses this step");
            Write(work_ + "/fail", work_ + "/dev/cd" + letter + "\n");
            refused_.insert(letter);
            Act();
        } else if (choice == 2) {
            Say("another program holds password.txt open this step");
            held_ = CreateFileW((folder_ + L"\\password.txt").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
            Act();
        } else {
            const bool person = Chance(50);
            Say(person ? "the PC woke by a person" : "the PC woke by itself");
            woke_ = true;  // its unlocks are the system's, whenever they come
            SendMessageTimeoutW(MainWindow(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0,
                                SMTO_ABORTIFHUNG, 5000, nullptr);
            Resume(true);
            if (person) Resume(false);
        }
    }

    // Writes a Unix file, as Wine's Z: drive shows it.
    static void Write(const std::string& unixPath, const std::string& text) {
        std::wstring path = L"Z:" + Widen(unixPath);
        std::replace(path.begin(), path.end(), L'/', L'\\');
        if (FILE* file = _wfopen(path.c_str(), L"wb")) fputs(text.c_str(), file), fclose(file);
    }

    // The step's number in the device log, to read a failure by.
    void Mark() {
        if (FILE* file = _wfopen(log_.c_str(), L"ab")) {
            std::fprintf(file, "# step %d\n", step_);
            std::fclose(file);
        }
    }

    // What a world event set up for its step ends with it.
    void EndOfStep() {
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        held_ = INVALID_HANDLE_VALUE;
        Write(work_ + "/fail", "");
    }

    std::mt19937 random_;
    std::wstring folder_, log_;
    std::string work_;            // the Unix folder of the simulated drives
    bool drivesChanged_ = false;  // a drive came or went since the last comparison
    bool woke_ = false;           // the PC woke; the program has not handled it yet
    bool underWay_ = false;       // a message box or dialog was open when the last step ended
    std::set<char> refused_;      // drives whose device was made to refuse
    HANDLE held_ = INVALID_HANDLE_VALUE;  // password.txt, held by "another program"
    PROCESS_INFORMATION process_{};
    int step_ = 0;
    int failures_ = 0;
    bool protectedAtStart_ = false;  // a password was stored when the step began
    bool granted_ = false;           // the right password was typed in this step
    bool system_ = false;            // the step was a start or a resume: unlocks are theirs
    size_t logSeen_ = 0;
    std::map<char, bool> locked_;  // the last lock request each device accepted
};

}  // namespace

int Monkey(unsigned seed, int steps, const std::wstring& folder, const std::wstring& log,
           const std::string& work) {
    std::printf("monkey: seed %u, %d steps\n", seed, steps);
    std::fflush(stdout);
    return MonkeyRun(seed, folder, log, work).Run(steps);
}

}  // namespace velkor::e2e
