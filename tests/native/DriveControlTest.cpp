// Locks, unlocks, doors and the dispatch, after a start with drives D: and E: unlocked.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using Texts = std::vector<std::string>;

class DriveControlTest : public ::testing::Test {
  protected:
    void SetUp() override { h.Launch(0, 0); }
    frmVelkor& w() { return h.main(); }
    void Do(ui::OptionButton& option, bool all, int selected = 1) {
        w().imgCboDrives.select(selected);
        w().chkAll.setValue(all ? 1 : 0);
        option.click();
        w().cmdDo.click();
    }
    test::AppHarness h;
};

TEST_F(DriveControlTest, FailedLockIsShownAndTheDriveStaysUnlocked) {
    h.device.failures["E:"] = {false, 5, "Access is denied."};
    Do(w().optLock, true);
    EXPECT_EQ(h.Entries(), "D: locked#2|E: unlocked#1");
    EXPECT_FALSE(w().drives.at(2).locked);
    EXPECT_FALSE(w().mnuLockSub[2].checked());
    ASSERT_EQ(h.Messages(), Texts{"E: could not be locked: Access is denied."});
    EXPECT_EQ(h.dialogs.last().icon, Icon::Critical);
    EXPECT_EQ(h.dialogs.last().title, "Velkor");
    EXPECT_EQ(h.Read("Current", "DeviceE"), "1");  // the record keeps the user's choice

    // A failed unlock leaves a drive this program had locked as locked.
    h.device.failures = {{"D:", {false, 21, "The device is not ready."}},
                         {"E:", {false, 5, "Access is denied."}}};
    h.Settings(0, 0, 0, 1, "DeviceD=1\r\nDeviceE=1\r\n");
    Do(w().optUnlock, true);
    EXPECT_EQ(h.Entries(), "D: locked#2|E: unlocked#1");
    EXPECT_EQ(h.dialogs.last().text,
              "D: konnte nicht freigegeben werden: The device is not ready.\r\n"
              "E: konnte nicht freigegeben werden: Access is denied.");
}

TEST_F(DriveControlTest, AFailedRecordWriteIsReportedOncePerRun) {
    h.files.readOnly.insert(h.iniPath());
    Do(w().optLock, true);
    Do(w().optUnlock, true);
    EXPECT_EQ(h.Entries(), "D: unlocked#1|E: unlocked#1");
    EXPECT_EQ(h.Messages(), Texts{test::AppHarness::WriteFailure("LockCD_WinNT()")});
    EXPECT_EQ(h.Requests(), "+D +E -D -E");
}

// The multimedia commands that move the door of `drive` ("open" or "closed"), `times` times.
Texts Door(const std::string& drive, const std::string& word, int times = 1) {
    Texts once = {"Open " + drive + " Type cdaudio Alias cd", "set cd door " + word, "close cd"},
          all;
    while (times-- > 0) all.insert(all.end(), once.begin(), once.end());
    return all;
}

// Open all and close all on the real program are the e2e's; a locked drive unlocked around its
// door is PasswordTest's. Closing only the selected drive closes it twice.
TEST_F(DriveControlTest, ClosingTheSelectedDriveClosesItTwice) {
    Do(w().optClose, false, 2);
    EXPECT_EQ(h.multimedia.commands, Door("E:", "closed", 2));
    EXPECT_TRUE(h.device.requests.empty());
}

TEST_F(DriveControlTest, ADriveThatIsNoLongerOpticalGetsTheGermanMessage) {
    h.drives.types['E'] = DriveType::Fixed;  // changed since the list was built
    Do(w().optOpen, false, 2);
    EXPECT_TRUE(h.multimedia.commands.empty());
    EXPECT_EQ(h.Messages(), Texts{"Laufwerk E: ist kein CD-Laufwerk"});
    EXPECT_EQ(h.dialogs.last().icon, Icon::Critical);
}

TEST_F(DriveControlTest, ActionNotDefinedBeforeAnyOptionHandlerRan) {
    w().intAction = Action::None;
    w().cmdDo_Click();
    EXPECT_EQ(h.Messages(), Texts{"Action not defined."});
    EXPECT_TRUE(h.device.requests.empty());
}

TEST_F(DriveControlTest, TrayEntriesPrepareTheMainWindowAndDispatch) {
    w().chkAll.setValue(1);
    w().mnuOpenSub[2].click();  // Open > E:
    EXPECT_EQ(w().chkAll.value(), 0);
    EXPECT_FALSE(w().blnAllDrives);
    EXPECT_EQ(h.multimedia.commands, Door("E:", "open"));

    w().mnuLockAll.click();
    EXPECT_TRUE(w().optLock.selected());
    EXPECT_EQ(w().chkAll.value(), 1);
    EXPECT_EQ(h.Requests(), "+D +E");  // in list order
    EXPECT_EQ(h.Read("Current", "DeviceD"), "1");
    for (int k : {1, 2}) EXPECT_TRUE(w().mnuLockSub[k].checked() && w().mnuUnlockSub[k].checked());

    w().mnuUnlockSub[1].click();
    w().mnuUnlockSub[1].click();  // an unlocked drive still gets its allow request
    EXPECT_EQ(h.Requests(), "+D +E -D -D");
    EXPECT_FALSE(w().mnuLockSub[1].checked());
    EXPECT_EQ(w().intAction, Action::Unlock);
    EXPECT_EQ(h.Entries(), "D: unlocked#1|E: locked#2");
    EXPECT_EQ(h.Read("Current", "DeviceE"), "1");
}

}  // namespace
}  // namespace velkor
