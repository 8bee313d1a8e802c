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

// Each box shows its title and its UTF-8 text intact, has the buttons asked for, and returns
// the one the user clicked.
TEST(Win32DialogsTest, ShowsTextAndTitleAndReturnsTheAnswer) {
    struct Case {
        MessageBoxRequest box;
        int clicked;
        Answer answer;
    };
    const Case cases[] = {
        {{"Exit Velkor?\r\n\r\nVelkor will unlock all CD/DVD drives.", "Exit Velkor",
          Buttons::OkCancel, Icon::Question},
         IDCANCEL,
         Answer::Cancel},
        {{"Sorry, f\xC3\xBCr diese Aktion wird ein Password gebraucht.", "Velkor beenden",
          Buttons::Ok, Icon::None},
         IDOK,
         Answer::Ok},
    };
    for (const Case& c : cases) {
        Win32Dialogs dialogs;
        SeenBox seen;
        std::thread user = AnswerBox(Widen(c.box.title), c.clicked, seen);
        const Answer answer = dialogs.Show(c.box);
        user.join();
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(seen.title, c.box.title);
        EXPECT_EQ(seen.text, c.box.text);
        EXPECT_EQ(seen.hasCancel, c.box.buttons == Buttons::OkCancel);
    }
}

}  // namespace
}  // namespace velkor::win32
