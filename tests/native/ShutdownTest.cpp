#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

TEST(ShutdownTest, CancelChangesNothing) {
    test::AppHarness h;
    h.Settings(1, 0);
    h.app.Start();
    h.ClearRecords();
    h.dialogs.answers = {Answer::Cancel};
    h.main().mnuExit2.click();
    EXPECT_FALSE(h.app.ended());
    EXPECT_TRUE(h.device.requests.empty());
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    const MessageBoxRequest& box = h.dialogs.last();
    EXPECT_EQ(box.title, "Exit Velkor");
    EXPECT_EQ(box.text,
              "Exit Velkor?\r\n\r\nVelkor will unlock all CD/DVD drives at programme exit.");
    EXPECT_EQ(box.buttons, Buttons::OkCancel);
    EXPECT_EQ(box.icon, Icon::Question);
}

TEST(ShutdownTest, OkUnlocksEveryDriveKeepsTheRecordAndEnds) {
    test::AppHarness h;
    h.Settings(1, 0, 0, 1);
    h.app.Start();
    h.ClearRecords();
    bool ended = false;
    h.app.onEnded = [&] {
        ended = true;
    };
    h.main().mnuExit.click();
    EXPECT_EQ(h.dialogs.shown.front().title, "Velkor beenden");
    EXPECT_EQ(
        h.dialogs.shown.front().text,
        "Velkor beenden?\r\n\r\nVelkor wird alle Laufwerke nach Programmende wieder freigeben.");
    EXPECT_EQ(h.Requests(), "-D -E");
    EXPECT_EQ(h.Read("Current", "DeviceD"), "1");  // what the next start restores
    EXPECT_TRUE(ended);
    EXPECT_TRUE(h.app.ended());
    EXPECT_FALSE(h.app.mainWindow.loaded());
    EXPECT_FALSE(h.app.preferences.loaded());
}

}  // namespace
}  // namespace velkor
