// The random-action run: seeded user actions against the real program with simulated drives,
// typed and clicked as a person does, and events of the world between them (a drive plugged in,
// taken away or replugged under its letter, a device that refuses, the password file held open
// by another program, a wake from standby of either kind); after every step the promises a user
// relies on: the program runs, no error report came up, each drive shows the state its device
// last accepted, and with a password stored no unlock, open or close reached a device unless the
// right password was typed for it. The seed is printed; the same seed replays the same run.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
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

// Writes a file, or appends to it (mode "ab").
void Write(const std::wstring& path, const std::string& text, const wchar_t* mode = L"wb") {
    if (FILE* file = _wfopen(path.c_str(), mode)) {
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
}

// A Unix path as Wine's Z: drive shows it.
std::wstring OnZ(const std::string& unixPath) {
    std::wstring path = L"Z:" + win32::Widen(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The shown, enabled controls of `parent` of window class `cls` whose style has `bits` in
// `mask`, in z-order.
std::vector<HWND> Controls(HWND parent, const wchar_t* cls, LONG mask, LONG bits) {
    std::vector<HWND> found;
    for (HWND c : Children(parent)) {
        if (IsWindowVisible(c) && IsWindowEnabled(c) && ClassOf(c) == cls &&
            (GetWindowLongW(c, GWL_STYLE) & mask) == bits) {
            found.push_back(c);
        }
    }
    return found;
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
            // The step's number in the device log, to read a failure by.
            Write(log_, "# step " + std::to_string(step_) + "\n", L"ab");
            // An action whose message box or prompt is still open goes on in this step, with the
            // password given for it (or as the system's).
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
            // What a world event set up for its step ends with it.
            if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
            held_ = INVALID_HANDLE_VALUE;
            Write(OnZ(work_ + "/fail"), "");
            underWay_ = Running() && Busy();
        }
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 10000);
        }
        std::printf("monkey: %d steps, %d failures\n", step_ - 1, failures_);
        return failures_ == 0 ? 0 : 1;
    }

  private:
    static std::vector<HWND> Buttons(HWND parent, LONG kind) {
        return Controls(parent, L"Button", 0x0F, kind);
    }
    static std::vector<HWND> PasswordBoxes(HWND parent) {
        return Controls(parent, L"Edit", ES_PASSWORD, ES_PASSWORD);
    }
    static HWND First(const std::vector<HWND>& among) { return among.empty() ? nullptr : among[0]; }
    static bool Busy() { return MessageBoxWindow() || !Dialogs().empty(); }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    HWND OneOf(const std::vector<HWND>& among) {
        return among.empty() ? nullptr : among[Pick(static_cast<int>(among.size()))];
    }

    int Fail(const std::string& what) {
        ++failures_;
        std::printf("monkey: step %d: FAILED: %s\n", step_, what.c_str());
        return 1;
    }
    void Say(const std::string& what) { std::printf("  %d: %s\n", step_, what.c_str()); }
    // Clicks `target` and says so, with its caption; false without one.
    bool SayClick(const std::string& what, HWND target) {
        if (!target) return false;
        Say(what + " \"" + Caption(target) + "\"");
        Click(target);
        return true;
    }
    // Presses each key in turn, at a person's pace: menus open between them.
    void Press(std::initializer_list<const char*> keys, int times = 1) {
        for (int i = 0; i < times; ++i) {
            for (const char* key : keys) {
                Chord(key);
                Sleep(80);
            }
        }
    }
    void SayPress(const std::string& what, std::initializer_list<const char*> keys) {
        Say(what);
        Press(keys);
    }

    bool Start() {
        const std::wstring exe = folder_ + L"\\Velkor.exe";
        STARTUPINFOW startup{sizeof startup};
        if (process_.hProcess) {
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        process_ = {};
        system_ = true;  // start-up unlocks every drive before its policy, by design
        return CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                              folder_.c_str(), &startup, &process_);
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
        const std::wstring word = kPassword;
        if (!right) {
            Type(Chance(50) ? L"kiosk42" : L"Kiosk4");
            return Say("typed a wrong password");
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

    // A click on OK (the default button) or Cancel (the last), or a key: Enter, or Escape or the
    // close command.
    void Answer(HWND window, bool accept) {
        const int how = Pick(3);
        const std::vector<HWND> buttons =
            Buttons(window, accept ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (how == 2 && !buttons.empty()) {
            Click(accept ? buttons.front() : buttons.back());
        } else {
            Chord(accept ? "enter" : how == 1 ? "alt+f4" : "esc");
        }
    }

    void OnMessageBox(HWND box) {
        const std::string seen = BoxText(box), text = seen.substr(seen.find('|') + 1);
        // A drive that was made to refuse is reported so, by its letter; no other failure is.
        const bool refusal = text.find("could not be") != std::string::npos && text.size() > 2 &&
                             text[1] == ':' && refused_.count(text[0]);
        if (text.rfind("Error in Module", 0) == 0 ||
            (text.find("could not be") != std::string::npos && !refusal)) {
            Fail("an error report: " + text);
        }
        const bool ok = Chance(60);
        Say("message box \"" + text.substr(0, 40) + "\": " + (ok ? "OK" : "Cancel"));
        AnswerBox(ok, 1000);
    }

    void OnPrompt(HWND prompt) {
        const int choice = Pick(10);
        if (choice >= 6) {
            Say("prompt cancelled");
            return Answer(prompt, false);
        }
        for (HWND box : PasswordBoxes(prompt)) IntoBox(box);
        TypePassword(choice < 4);
        Answer(prompt, true);
        if (choice < 4) {
            granted_ = true;
            Sleep(1300);  // the gate looks at the answer once a second
        }
    }

    void OnSetPassword(HWND dialog) {
        if (Chance(25)) {
            Say("set-password cancelled");
            return Answer(dialog, false);
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
        const std::vector<HWND> boxes = Buttons(preferences, BS_3STATE);
        const int choice = Pick(10);
        if (choice < 2 && !PasswordStored()) {  // most runs would rarely come to one otherwise
            for (HWND box : boxes) {
                if (Caption(box).find("Pass") != std::string::npos) {
                    SayClick("preferences: the password switch", box);
                    return;
                }
            }
        }
        if (choice < 5 && SayClick("preferences: click", OneOf(boxes))) return;
        if (choice < 6 &&
            SayClick("preferences: language", OneOf(Buttons(preferences, BS_RADIOBUTTON))))
            return;
        if (choice < 7) {
            // Apply (the default) or Set password; never the update check, which has no server.
            std::vector<HWND> safe = Buttons(preferences, BS_DEFPUSHBUTTON);
            for (HWND b : Buttons(preferences, BS_PUSHBUTTON)) {
                const std::string caption = Caption(b);
                if (caption.find("...") != std::string::npos &&
                    caption.find("pass") != std::string::npos) {
                    safe.push_back(b);
                }
            }
            SayClick("preferences:", OneOf(safe));
            return;
        }
        Say("preferences: closed");
        Chord(Chance(50) ? "esc" : "alt+f4");
    }

    void MainWindowAction(HWND main) {
        if (!IsWindowVisible(main)) {
            SayClick("icon: left click shows the window", TrayIcon());
            return;
        }
        Activate(main, 2000);
        const int choice = Pick(100);
        if (choice < 12) {
            SayClick("option", OneOf(Buttons(main, BS_RADIOBUTTON)));
        } else if (choice < 20) {
            SayClick("all drives box", First(Buttons(main, BS_3STATE)));
        } else if (choice < 28) {
            SayClick("another drive in the selector", ChildOfClass(main, WC_COMBOBOXW));
            Sleep(100);
            Press({Chance(50) ? "down" : "up", "enter"});
        } else if (choice < 48) {
            SayClick("the action button", First(Buttons(main, BS_DEFPUSHBUTTON)));
        } else if (choice < 60) {
            SayPress("Edit > Preferences", {"alt", "right", "down", "enter"});
        } else if (choice < 63) {
            SayPress("Help > About", {"alt", "right", "right", "down", "enter"});
        } else if (choice < 74) {
            TrayMenu();
        } else if (choice < 80) {
            Say("the taskbar came back (the system)");
            PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        } else if (choice < 85) {
            Say("minimise");
            PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (choice < 90) {
            SayPress("Exit (Ctrl+X)", {"ctrl+x"});
        } else {
            SayPress("the window's close command", {"alt+f4"});
        }
    }

    void TrayMenu() {
        HWND icon = TrayIcon();
        if (!icon) return;
        Say("icon: pop-up menu");
        Click(icon, true);
        Sleep(300);
        Press({"down"}, Pick(9));
        if (Chance(80)) {
            Press({"right"});
            Press({"down"}, Pick(3));
            Press({"enter"});
        } else {
            Press({"esc", "esc"});
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
                    if (HWND main = Shown(MainWindow())) return main;
                    if (HWND box = MessageBoxWindow()) return box;
                    return Dialogs().empty() ? TrayIcon() : Dialogs().front();
                },
                30000);
            Sleep(300);
            return;
        }
        if (HWND box = MessageBoxWindow()) return OnMessageBox(box);
        const std::vector<HWND> dialogs = Dialogs();
        for (HWND dialog : dialogs) {  // a password prompt or Set Password before the others
            const size_t boxes = PasswordBoxes(dialog).size();
            if (boxes == 0) continue;
            Activate(dialog, 2000);
            return boxes == 1 ? OnPrompt(dialog) : OnSetPassword(dialog);
        }
        if (dialogs.empty()) {
            if (HWND main = MainWindow()) MainWindowAction(main);
            return;
        }
        Activate(dialogs[0], 2000);
        if (!Buttons(dialogs[0], BS_3STATE).empty()) return OnPreferences(dialogs[0]);
        Say("about box closed");
        Chord(Chance(50) ? "enter" : "esc");
    }

    // Gives what the step started time to happen: a box or a dialog, or the handler's end.
    // (An answered prompt waited for the gate's look already.)
    void Settle() {
        for (int waited = 0; waited < 500; waited += 50) {
            Sleep(50);
            if (!Running() || MessageBoxWindow()) return;
        }
    }

    // The requests the devices accepted since the last look (their count); a guarded one must
    // have been let through by the password, or be the system's.
    size_t ReadDevices() {
        std::istringstream in(Slurp(log_));
        size_t index = 0, accepted = 0;
        for (std::string line; std::getline(in, line); ++index) {
            if (index < logSeen_ || line.find(" failed") != std::string::npos) continue;
            ++accepted;
            std::istringstream words(line);  // "REQUEST ARGUMENT DEVICE"
            std::string request, device;
            int argument = 0;
            words >> request >> argument >> device;
            const char drive = device.empty() ? '?' : device.back();
            if (request == "CDROM_LOCKDOOR") locked_[drive] = argument == 1;
            const bool guarded = (request == "CDROM_LOCKDOOR" && argument == 0) ||
                                 request == "CDROMEJECT" || request == "CDROMCLOSETRAY";
            if (guarded && protectedAtStart_ && !granted_ && !system_ && !woke_) {
                Fail(request + " " + std::to_string(argument) + " reached drive " +
                     std::string(1, drive) + " without the password");
            }
        }
        logSeen_ = index;
        return accepted;
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
        if (Busy()) return;
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
        const std::string drive(1, letter), device = work_ + "/dev/cd" + drive;
        if (choice == 0) {
            const bool present = GetLogicalDrives() & (1u << (letter - 'A'));
            const bool replug = present && Chance(60);
            Say(drive + (replug ? ": replugged" : present ? ": away" : ": plugged in"));
            if (present) Unplug(letter);
            if (replug || !present) Plug(letter, work_ + "/disc" + drive, device);
            locked_[letter] = false;  // a device plugged in starts unlocked
            drivesChanged_ = true;
        } else if (choice == 1) {
            Say("the device of " + drive + ": refuses this step");
            Write(OnZ(work_ + "/fail"), device + "\n");  // the devices that refuse, one a line
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

    std::mt19937 random_;
    std::wstring folder_, log_;
    std::string work_;            // the Unix folder of the simulated drives
    bool drivesChanged_ = false;  // a drive came or went since the last comparison
    bool woke_ = false;           // the PC woke; the program has not handled it yet
    bool underWay_ = false;       // a message box or dialog was open when the last step ended
    std::set<char> refused_;      // drives whose device was made to refuse
    HANDLE held_ = INVALID_HANDLE_VALUE;  // password.txt, held by "another program"
    PROCESS_INFORMATION process_{};
    int step_ = 0, failures_ = 0;
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
