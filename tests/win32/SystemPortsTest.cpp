// The ports of one system call each against the real API: the ANSI code page, message boxes and
// the single-copy check. The test prefix runs with the Western European code page 1252, as the
// native tests assume.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "win32/Handles.h"
#include "win32/Utf.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32System.h"
#include "win32/Win32Text.h"

namespace velkor::win32 {
namespace {

TEST(Win32TextTest, ConvertsThroughTheAnsiCodePageAndEveryByteRoundTrips) {
    ASSERT_EQ(GetACP(), 1252u);
    Win32Text text;
    EXPECT_EQ(text.FromAnsi("f\xFCr \x80"), "f\xC3\xBCr \xE2\x82\xAC");
    EXPECT_EQ(text.ToAnsi("Laufwerk D: ist kein CD-Laufwerk \xC3\xA4\xC3\x9F"),
              "Laufwerk D: ist kein CD-Laufwerk \xE4\xDF");
    EXPECT_EQ(text.ToAnsi("\xE2\x86\x92"), "?");  // not in the code page
    EXPECT_EQ(text.ToAnsi(""), "");
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(text.ToAnsi(text.FromAnsi(all)), all);
}

// A second thread finds the box as a person would see it, reads it and clicks Cancel: the box
// shows its title and its UTF-8 text intact, has the buttons asked for, and returns the one the
// user clicked. (OK, and Cancel by the keyboard, are seen end to end.)
TEST(Win32DialogsTest, ShowsTextAndTitleAndReturnsTheAnswer) {
    const MessageBoxRequest request{"Sorry, f\xC3\xBCr diese Aktion wird ein Password gebraucht.",
                                    "Velkor beenden", Buttons::OkCancel, Icon::Question};
    std::string title, text;
    std::thread user([&] {
        for (int tries = 0; tries < 500; ++tries, Sleep(20)) {
            HWND box = FindWindowW(L"#32770", Widen(request.title).c_str());
            if (!box) continue;
            wchar_t buffer[1024] = {};
            GetWindowTextW(box, buffer, 1024);
            title = Narrow(buffer);
            GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
            text = Narrow(buffer);
            HWND cancel = GetDlgItem(box, IDCANCEL);  // without one OK, and the answer tells
            PostMessageW(cancel ? cancel : GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            return;
        }
    });
    const Answer answer = Win32Dialogs().Show(request);
    user.join();
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(title, request.title);
    EXPECT_EQ(text, request.text);
}

// The first copy runs, the second finds it; by a machine-wide name, so that a copy in another
// user's session counts too (Wine has one session: the name is checked).
TEST(Win32InstanceTest, TheFirstCopyRunsAndTheSecondFindsIt) {
    Win32Instance first, second;
    EXPECT_FALSE(first.AnotherIsRunning());
    EXPECT_TRUE(second.AnotherIsRunning());
    EXPECT_TRUE(
        UniqueKernelHandle(OpenMutexW(SYNCHRONIZE, FALSE, L"Global\\Velkor.SingleInstance")));
}

}  // namespace
}  // namespace velkor::win32
