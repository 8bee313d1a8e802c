// The two password dialogs as real windows: frame, owner, place, password characters, start
// focus, Enter and Escape, and the selection after a wrong entry. The program runs on fakes
// except for the windows and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/App.h"
#include "fakes/FakePorts.h"
#include "forms/password/CheckPWD.h"
#include "program/WaitWithEvents.h"
#include "win32/Renderer.h"
#include "win32/Win32EventLoop.h"

namespace velkor::win32 {
namespace {

class PasswordDialogsTest : public ::testing::Test, public test::FakePorts {
  protected:
    Win32EventLoop loop;
    Renderer renderer{GetModuleHandleW(nullptr), loop};
    App app{With(loop), &renderer};

    void SetUp() override {
        files.content[files.path("Velkor.ini")] = "[Language]\r\nLanguage=0\r\n";
        app.passwordFile.Store("Secret");
    }
    void Pump() { WaitWithEvents(loop, 30); }
    HWND Prompt() { return renderer.windowOf(app.checkPassword.get()); }
    HWND Edit(HWND dialog, int index) {
        HWND edit = nullptr;
        for (int i = 0; i <= index; ++i) edit = FindWindowExW(dialog, edit, WC_EDITW, nullptr);
        return edit;
    }
    // Characters as the keyboard delivers them to the focused box ("\b" is Backspace).
    static void Type(HWND edit, const wchar_t* typed) {
        for (const wchar_t* c = typed; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
    }
};

TEST_F(PasswordDialogsTest, BothAreFixedDialogsOutOfTheTaskbarCentredOnTheScreen) {
    for (ui::Form* form :
         std::initializer_list<ui::Form*>{&app.setPassword.get(), &app.checkPassword.get()}) {
        SCOPED_TRACE(form->name());
        form->show();
        HWND window = renderer.windowOf(*form);
        auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
        EXPECT_NE(GetWindow(window, GW_OWNER), nullptr);  // owned: no taskbar button
        // The prompt has no system menu and no close box; the set-password dialog has both.
        EXPECT_EQ((style & WS_SYSMENU) != 0, form == &app.setPassword.get());

        RECT r, work;
        GetWindowRect(window, &r);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_LE(std::abs((r.left + r.right) / 2 - (work.left + work.right) / 2), 1);
        EXPECT_LE(std::abs((r.top + r.bottom) / 2 - (work.top + work.bottom) / 2), 1);
        for (int i = 0; Edit(window, i); ++i)
            EXPECT_EQ(SendMessageW(Edit(window, i), EM_GETPASSWORDCHAR, 0, 0), L'*') << i;
    }
}

// What the user does, one step per tick of a thread timer, while the gate waits.
std::vector<std::function<void()>> script;
size_t nextStep = 0;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (nextStep < script.size()) script[nextStep++]();
}

void Press(HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

TEST_F(PasswordDialogsTest, PromptWrongEntrySelectsItEnterAcceptsEscapeCancels) {
    app.mainWindow.get();  // start-up done before the user's first step
    HWND box = nullptr;
    script = {
        [&] {
            box = Edit(Prompt(), 0);
            EXPECT_TRUE(IsWindowVisible(Prompt()));
            EXPECT_EQ(GetFocus(), box);  // the focus starts in the password box
            Type(box, L"secret");        // wrong: upper and lower case count
            Press(box, VK_RETURN);
        },
        [&] {
            EXPECT_EQ(dialogs.shown.size(), 1u);     // refused
            EXPECT_TRUE(IsWindowVisible(Prompt()));  // still asking
            EXPECT_EQ(GetFocus(), box);
            EXPECT_EQ(Selection(box), std::make_pair(DWORD{0}, DWORD{6}));  // all of it
            Type(box, L"Secret");  // typed over the selection
            Press(box, VK_RETURN);
        },
        [&] {  // should a step go wrong, cancelled so that the gate never waits for ever
            if (app.checkPassword.loaded()) Press(Edit(Prompt(), 0), VK_ESCAPE);
        },
    };
    nextStep = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 150, &RunStep);
    DWORD start = GetTickCount();
    EXPECT_TRUE(app.password.Ask());
    EXPECT_EQ(nextStep, 2u);  // the answer ended the wait: the safety step never ran
    EXPECT_FALSE(app.checkPassword.loaded());
    EXPECT_LT(GetTickCount() - start, 3000u);

    script = {[&] {
        Press(Edit(Prompt(), 0), VK_ESCAPE);
    }};
    nextStep = 0;
    EXPECT_FALSE(app.password.Ask());
    EXPECT_FALSE(app.checkPassword.loaded());
    KillTimer(nullptr, timer);
}

// (Escape in it acts as the prompt's does, through the form's cancel button.)
TEST_F(PasswordDialogsTest, SetPasswordRefusesADifferentRepetition) {
    app.setPassword->show();
    HWND window = renderer.windowOf(app.setPassword.get());
    HWND old = Edit(window, 0), fresh = Edit(window, 1), again = Edit(window, 2);
    EXPECT_TRUE(IsWindowEnabled(old));  // a password is stored: the old one is asked
    EXPECT_EQ(GetFocus(), old);
    Type(old, L"Secrex\bt");  // a slip mended by Backspace
    Type(fresh, L"new oe");
    SendMessageW(fresh, WM_KEYDOWN, VK_LEFT, 1);
    Type(fresh, L"n");  // inserted in the middle
    Type(again, L"new One");
    Press(again, VK_RETURN);
    Pump();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(GetFocus(), again);
    EXPECT_EQ(Selection(again), std::make_pair(DWORD{0}, DWORD{7}));
    EXPECT_EQ(app.passwordFile.Read().password, "Secret");  // nothing written
    Type(again, L"new one");                                // typed over the selection
    Press(again, VK_RETURN);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(app.passwordFile.Read().password, "new one");  // as meant, not as echoed
}

}  // namespace
}  // namespace velkor::win32
