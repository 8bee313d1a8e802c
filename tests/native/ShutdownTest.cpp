#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

// Cancel changes nothing; OK unlocks every drive, keeps the record for the next start and ends.
TEST(ShutdownTest, TheExitQuestionInBothLanguagesAndEachAnswer) {
    struct Case {
        bool german, ok;
        ui::Menu frmVelkor::*exit;
    };
    for (const Case& c :
         {Case{false, false, &frmVelkor::mnuExit2}, Case{true, true, &frmVelkor::mnuExit}}) {
        SCOPED_TRACE(c.ok ? "OK" : "Cancel");
        test::AppHarness h;
        h.Launch(1, 0, c.german ? 1 : 0);
        bool ended = false;
        h.app.onEnded = [&] {
            ended = true;
        };
        if (!c.ok) h.dialogs.answers = {Answer::Cancel};
        (h.main().*c.exit).click();
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        const MessageBoxRequest& box = h.dialogs.last();
        EXPECT_EQ(box.title, c.german ? "Velkor beenden" : "Exit Velkor");
        EXPECT_EQ(box.text,
                  c.german ? "Velkor beenden?\r\n\r\nVelkor wird alle Laufwerke nach Programmende "
                             "wieder freigeben."
                           : "Exit Velkor?\r\n\r\nVelkor will unlock all CD/DVD drives at "
                             "programme exit.");
        EXPECT_EQ(box.buttons, Buttons::OkCancel);
        EXPECT_EQ(box.icon, Icon::Question);
        EXPECT_EQ(h.Requests(), c.ok ? "-D -E" : "");
        EXPECT_EQ(h.Read("Current", "DeviceD"), "1");
        EXPECT_EQ(ended, c.ok);
        EXPECT_EQ(h.app.ended(), c.ok);
        EXPECT_EQ(h.app.mainWindow.loaded(), !c.ok);
        EXPECT_EQ(h.app.preferences.loaded(), !c.ok);
    }
}

}  // namespace
}  // namespace velkor
