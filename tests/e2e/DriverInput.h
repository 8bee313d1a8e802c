#pragma once
// What the driver does as a person does: finds the program's windows, types through the
// system's input queue and clicks with the mouse; and what the system does. Shared by the
// driver's commands and its random-action run.
#include <windows.h>

#include <string>
#include <vector>

namespace velkor::e2e {

std::wstring ClassOf(HWND window);
std::string Caption(HWND window);  // its text on one line: line breaks become " " and "/"
HWND Shown(HWND window);           // the window if it is shown, else nullptr

HWND MainWindow();  // the main window, shown or not
HWND ShownWindow(const std::wstring& title);
std::vector<HWND> Children(HWND parent);  // its own children, in z-order
HWND ChildWithCaption(HWND parent, const std::wstring& caption);
HWND ChildOfClass(HWND parent, const std::wstring& windowClass);
HWND MessageBoxWindow();        // a shown message box of any program
std::string BoxText(HWND box);  // a message box's "title|text"
HWND TrayIcon();                // the notification-area icon, as Wine shows it without a taskbar

// Calls `find` every 10 ms until it gives a window or `ms` have passed.
template <class Find>
HWND WaitFor(Find find, int ms) {
    for (int waited = 0;; waited += 10) {
        if (HWND found = find()) return found;
        if (waited >= ms) return nullptr;
        Sleep(10);
    }
}

// Brings a top-level window to the front as a click on its title bar does, and waits until it
// is there (keys typed next go to whatever is in front).
bool Activate(HWND window, int ms = 5000);

// One chord such as "alt+f", "shift+end", "backspace", "x"; false for a key it cannot name.
bool Chord(const std::string& chord);
// Types any characters, as a keyboard with that layout would.
bool Type(const std::wstring& text);
// Puts text on the clipboard, as another program does before the user pastes it.
bool SetClipboard(const std::wstring& text);
// Moves the mouse to the centre of `window` and clicks it (left or right button).
bool Click(HWND window, bool right = false);

// The answer to a message box: its "title|text" (or empty when none came within `ms`), answered
// by the keyboard, Enter for OK, Escape for Cancel.
std::string AnswerBox(bool ok, int ms);

// The drive selector's entries as "text|picture" lines, then "selected=N".
std::string ComboState(HWND main);

// What the system does (DriverWorld.cpp). Drive `letter` plugged in through Wine's mount manager
// as a CD-ROM drive at the Unix folder `mountPoint` with the raw device `device`, or taken away;
// every top-level window is told unless `tell` is false. False when the mount manager refused.
bool Plug(char letter, const std::string& mountPoint, const std::string& device, bool tell = true);
bool Unplug(char letter, bool tell = true);
// Tells the main window that the PC resumed from standby; false when it did not answer.
bool Resume(bool automatic);

}  // namespace velkor::e2e
