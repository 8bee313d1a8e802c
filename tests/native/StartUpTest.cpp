// Start-up of the main window: the settings, the drive list, the reset and the lock policy.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using test::AppHarness;

struct PolicyCase {
    int deviceAll, useLastState;
    std::string current;   // the record before the start
    std::string requests;  // every device request of the start
    std::string entries;
    const char* option;
    int selected;
    bool withF = false;  // a third optical drive, F:
};

TEST(StartUpTest, LockPolicies) {
    const PolicyCase cases[] = {
        {0, 0, "", "-D -E -D -E", "D: unlocked#1|E: unlocked#1", "optUnlock", 1},
        {1, 0, "", "-D -E +D +E", "D: locked#2|E: locked#2", "optLock", 1},
        {1, 1, "DeviceD=1\r\nDeviceE=0\r\n", "-D -E +D -E", "D: locked#2|E: unlocked#1",
         "optUnlock", 2},
        {0, 1, "DeviceD=0\r\nDeviceE=1\r\n", "-D -E -D +E", "D: unlocked#1|E: locked#2", "optLock",
         2},
        // Restore goes on past a missing record (D:) and a broken one (E:).
        {0, 1, "DeviceE=x\r\nDeviceF=1\r\n", "-D -E -F -D -E +F",
         "D: unlocked#1|E: unlocked#1|F: locked#2", "optLock", 3, true},
    };
    for (const PolicyCase& c : cases) {
        SCOPED_TRACE("DeviceAll " + std::to_string(c.deviceAll) + ", UseLastState " +
                     std::to_string(c.useLastState) + ", " + c.current);
        AppHarness h;
        if (c.withF) h.drives.types['F'] = DriveType::CdRom;
        h.Settings(c.deviceAll, c.useLastState, 0, 0, c.current);
        ASSERT_TRUE(h.app.Start());
        frmVelkor& w = h.main();
        EXPECT_EQ(h.Requests(), c.requests);
        EXPECT_EQ(h.Entries(), c.entries);
        EXPECT_EQ(w.actions.selected()->name(), c.option);
        EXPECT_EQ(w.imgCboDrives.selectedIndex(), c.selected);
        EXPECT_EQ(w.chkAll.value(), 0);
        EXPECT_FALSE(w.blnAllDrives);
        EXPECT_TRUE(w.blnRecordState);
        EXPECT_TRUE(h.dialogs.shown.empty());
        EXPECT_EQ(h.app.preferences->chkLockAll.enabled(), c.useLastState != 1);
        EXPECT_EQ(h.app.preferences->chkSaveState.value(), c.useLastState);
        EXPECT_EQ(h.app.preferences->chkLockAll.value(), c.deviceAll);
        // The reset is not recorded; what the policy did is.
        const bool dLocked = c.entries.find("D: locked") != std::string::npos;
        const bool eLocked = c.entries.find("E: locked") != std::string::npos;
        EXPECT_EQ(h.Read("Current", "DeviceD"), dLocked ? "1" : "0");
        EXPECT_EQ(h.Read("Current", "DeviceE"), eLocked ? "1" : "0");
        // Check marks of both lock submenus follow the state; Open and Close never carry one.
        EXPECT_EQ(w.mnuLockSub[1].checked(), dLocked);
        EXPECT_EQ(w.mnuUnlockSub[2].checked(), eLocked);
        EXPECT_FALSE(w.mnuOpenSub[1].checked());
    }
}

// (Only optical drives, in letter order, each with its element in every submenu: the list
// following the drives, DriveChangesTest.)

TEST(StartUpTest, MissingOrBrokenSettingsCountAsZeroAndStartUpGoesOn) {
    const std::string files[] = {
        "",  // no settings file at all
        "[Default]\r\nDeviceAll=1\r\nUseLastState=0\r\nMinimize=0\r\nStandby=1\r\n",  // no Delay
        "[Default]\r\nDeviceAll=yes\r\nUseLastState=\r\nDelay=soon\r\n",
        // Values no check box takes.
        "[Default]\r\nDeviceAll=3\r\nUseLastState=0\r\nMinimize=-1\r\nStandby=7\r\n",
    };
    for (const std::string& content : files) {
        AppHarness h;
        if (!content.empty()) h.files.content[h.iniPath()] = content;
        h.app.Start();
        EXPECT_EQ(h.main().drives.count(), 2) << content;
        // Only the missing language number is told, by the caption loading and by the
        // preferences dialog's load.
        EXPECT_EQ(h.dialogs.shown.size(), 2u) << content;
        EXPECT_EQ(h.main().txtPWRMessage.text(), "NA") << content;
    }
}

TEST(StartUpTest, DelayWaitsWhileHandlingMessages) {
    AppHarness h;
    h.Settings(0, 0, 3000);
    bool listedDuringWait = true;
    h.loop.at(1500, [&] { listedDuringWait = h.main().drives.count() > 0; });
    h.app.Start();
    EXPECT_EQ(h.loop.now(), 3000u);
    EXPECT_FALSE(listedDuringWait);  // the drives are listed after the wait

    for (int delay : {-1, -500}) {  // negative delays do not wait (and -1 would wait forever)
        AppHarness n;
        n.Settings(0, 0, delay);
        n.app.Start();
        EXPECT_EQ(n.loop.waitCalls(), 0);
        EXPECT_EQ(n.main().drives.count(), 2);
    }
}

// Not even a password is asked for: there is nothing it would protect.
TEST(StartUpTest, NoOpticalDriveIsNotAnError) {
    AppHarness h;
    h.drives.types = {{'C', DriveType::Fixed}};
    h.StorePassword("Secret");
    h.Settings(1, 0);
    h.app.Start();
    frmVelkor& w = h.main();
    EXPECT_EQ(w.imgCboDrives.count(), 0);
    EXPECT_EQ(w.txtPWRMessage.text(), "NA");
    w.cmdDo_Click();
    w.mnuLockAll_Click();
    w.mnuOpenAll_Click();
    w.mnuCloseAll_Click();
    w.optClose_Click();
    w.cmdDo_Click();
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_TRUE(h.device.requests.empty());
    EXPECT_TRUE(h.multimedia.commands.empty());
    h.app.preferences->cmdSetPWD.click();
    w.mnuExit2.click();  // takes the open set-password dialog with it
    EXPECT_TRUE(h.app.ended());
    EXPECT_EQ(h.loop.now(), 0u);
    EXPECT_EQ(h.dialogs.shown.size(), 1u);  // the exit's question only
    EXPECT_FALSE(h.app.setPassword.loaded());
}

// Its ending at once without a device request is seen end to end.
TEST(StartUpTest, SecondCopyChangesNothing) {
    AppHarness h;
    h.Settings(1, 0);
    h.instance.another = true;
    EXPECT_FALSE(h.app.Start());
    EXPECT_FALSE(h.main().visible());
    EXPECT_EQ(h.files.replaceCount, 0);
    EXPECT_FALSE(h.app.preferences.loaded());
    EXPECT_TRUE(h.main().windowProcs().entries().empty());  // hears no resume
}

}  // namespace
}  // namespace velkor
