// Message boxes through the real API: a second thread finds the box as a person would see it,
// reads it and answers it.
#include "win32/Win32Dialogs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

struct SeenBox {
    std::string title;
    std::string text;
    bool hasCancel = false;
};

// Waits for the box titled `title`, reads it and clicks the button `answerId`.
std::thread AnswerBox(const std::wstring& title, int answerId, SeenBox& seen) {
    return std::thread([title, answerId, &seen] {
        for (int tries = 0; tries < 500; ++tries) {
            HWND box = FindWindowW(L"#32770", title.c_str());
            if (box) {
                wchar_t buffer[1024] = {};
                GetWindowTextW(box, buffer, 1024);
                seen.title = Narrow(buffer);
                GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
                seen.text = Narrow(buffer);
                seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
                PostMessageW(GetDlgItem(box, answerId), BM_CLICK, 0, 0);
                return;
            }
            Sleep(20);
        }
    });
}

TEST(Win32DialogsTest, ShowsTextAndTitleAndReturnsTheAnswer) {
    Win32Dialogs dialogs;
    SeenBox seen;
    std::thread user = AnswerBox(L"Exit Velkor", IDCANCEL, seen);
    Answer answer = dialogs.Show({"Exit Velkor?\r\n\r\nVelkor will unlock all CD/DVD drives.",
                                  "Exit Velkor", Buttons::OkCancel, Icon::Question});
    user.join();
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(seen.title, "Exit Velkor");
    EXPECT_EQ(seen.text, "Exit Velkor?\r\n\r\nVelkor will unlock all CD/DVD drives.");
    EXPECT_TRUE(seen.hasCancel);
}

TEST(Win32DialogsTest, Utf8ReachesTheScreenIntact) {
    Win32Dialogs dialogs;
    SeenBox seen;
    std::thread user = AnswerBox(L"Velkor beenden", IDOK, seen);
    Answer answer = dialogs.Show({"Sorry, f\xC3\xBCr diese Aktion wird ein Password gebraucht.",
                                  "Velkor beenden", Buttons::Ok, Icon::None});
    user.join();
    EXPECT_EQ(answer, Answer::Ok);
    EXPECT_EQ(seen.text, "Sorry, f\xC3\xBCr diese Aktion wird ein Password gebraucht.");
    EXPECT_FALSE(seen.hasCancel);
}

}  // namespace
}  // namespace velkor::win32
