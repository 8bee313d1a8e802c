#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

// Cancel changes nothing; OK unlocks every drive, keeps the record for the next start and ends.
// (The question's words in both languages: LanguageTextsTest.)
TEST(ShutdownTest, TheExitQuestionAndEachAnswer) {
    for (const auto& [ok, exit] :
         {std::pair{false, &frmVelkor::mnuExit2}, {true, &frmVelkor::mnuExit}}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        test::AppHarness h;
        h.Launch(1, 0);
        bool ended = false;
        h.app.onEnded = [&] {
            ended = true;
        };
        if (!ok) h.dialogs.answers = {Answer::Cancel};
        (h.main().*exit).click();
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        EXPECT_EQ(h.dialogs.last().buttons, Buttons::OkCancel);
        EXPECT_EQ(h.dialogs.last().icon, Icon::Question);
        EXPECT_EQ(h.Requests(), ok ? "-D -E" : "");
        EXPECT_EQ(h.Read("Current", "DeviceD"), "1");
        EXPECT_EQ(ended, ok);
        EXPECT_EQ(h.app.ended(), ok);
        EXPECT_EQ(h.app.mainWindow.loaded(), !ok);
        EXPECT_EQ(h.app.preferences.loaded(), !ok);
    }
}

}  // namespace
}  // namespace velkor
