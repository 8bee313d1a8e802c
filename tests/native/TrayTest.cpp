// The notification-area start, the icon's messages and the resume from standby, on fakes: the
// window procedures run as the window would run them, the timer on the fake clock.
#include <gtest/gtest.h>

#include "app/WindowProc.h"
#include "fakes/AppHarness.h"
#include "platform/Messages.h"

namespace velkor {
namespace {

void SettingsWith(test::AppHarness& h, int minimize, int standby, const std::string& current = "") {
    h.files.content[h.iniPath()] =
        "[Default]\r\nDeviceAll=0\r\nUseLastState=1\r\nMinimize=" + std::to_string(minimize) +
        "\r\nStandby=" + std::to_string(standby) + "\r\nDelay=0\r\n[Language]\r\nLanguage=0\r\n" +
        (current.empty() ? "" : "[Current]\r\n" + current);
}

std::optional<intptr_t> Send(test::AppHarness& h, uint32_t message, uintptr_t wParam = 0,
                             intptr_t lParam = 0) {
    return h.main().windowProcs().dispatch({message, wParam, lParam});
}

std::optional<intptr_t> Icon(test::AppHarness& h, intptr_t mouse) {
    return Send(h, msg::kTrayCallback, 0, mouse);
}

TEST(TrayTest, AMinimisedStartLivesInTheNotificationArea) {
    for (int minimize : {0, 1}) {
        test::AppHarness h;
        SettingsWith(h, minimize, 0);
        ASSERT_TRUE(h.app.Start());
        const bool tray = minimize == 1;
        const std::vector<std::string> expected =
            tray ? std::vector<std::string>{"add 2025", "tip Velkor"} : std::vector<std::string>{};
        EXPECT_EQ(h.tray.calls, expected);
        EXPECT_EQ(h.main().visible(), !tray);
        EXPECT_EQ(h.main().style().showInTaskbar, !tray);
    }
}

TEST(TrayTest, WithoutANotificationAreaTheWindowStaysAndTheIconComesLater) {
    test::AppHarness h;
    SettingsWith(h, 1, 0);
    h.tray.refuseAdd = true;
    h.app.Start();
    EXPECT_TRUE(h.main().visible());
    EXPECT_TRUE(h.main().style().showInTaskbar);

    h.tray.refuseAdd = false;
    h.tray.calls.clear();
    Send(h, test::RecordingTray::kTaskbarCreated);  // the taskbar is (back) there
    EXPECT_EQ(h.tray.calls, (std::vector<std::string>{"add 2025", "tip Velkor"}));
    EXPECT_TRUE(h.tray.shown);
    Send(h, test::RecordingTray::kTaskbarCreated);  // and again after Explorer restarts
    EXPECT_EQ(h.tray.calls.size(), 4u);
}

TEST(TrayTest, TheIconsMessages) {
    struct Case {
        const char* name;
        bool visibleBefore;
        ui::WindowState stateBefore;
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
        bool consumed;
        bool visibleAfter;
        ui::WindowState stateAfter;
    };
    using ui::WindowState;
    const Case cases[] = {
        {"left click shows", false, WindowState::Normal, msg::kTrayCallback, 0, msg::kLButtonUp,
         true, true, WindowState::Normal},
        {"left click restores a minimised window", true, WindowState::Minimized, msg::kTrayCallback,
         0, msg::kLButtonUp, true, true, WindowState::Normal},
        {"mouse moves pass", false, WindowState::Normal, msg::kTrayCallback, 0, msg::kMouseMove,
         false, false, WindowState::Normal},
        {"minimise hides", true, WindowState::Normal, msg::kSysCommand, msg::kScMinimize, 0, true,
         false, WindowState::Normal},
        {"minimise from the keyboard", true, WindowState::Normal, msg::kSysCommand,
         msg::kScMinimize | 2, 0, true, false, WindowState::Normal},
        {"restore shows a hidden window", false, WindowState::Normal, msg::kSysCommand,
         msg::kScRestore, 0, true, true, WindowState::Normal},
        {"restore of a shown window passes", true, WindowState::Normal, msg::kSysCommand,
         msg::kScRestore, 0, false, true, WindowState::Normal},
        {"other commands pass", true, WindowState::Normal, msg::kSysCommand, 0xF060, 0, false, true,
         WindowState::Normal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::AppHarness h;
        SettingsWith(h, 1, 0);
        h.app.Start();
        if (c.visibleBefore) h.main().show();
        h.main().setWindowState(c.stateBefore);
        std::optional<intptr_t> result = Send(h, c.message, c.wParam, c.lParam);
        EXPECT_EQ(result.has_value(), c.consumed);
        EXPECT_EQ(result.value_or(-1), c.consumed ? 0 : -1);
        EXPECT_EQ(h.main().visible(), c.visibleAfter);
        EXPECT_EQ(h.main().windowState(), c.stateAfter);
        EXPECT_EQ(h.formHost.popups, 0);
    }
}

TEST(TrayTest, RightClickRunsTheChosenEntryThroughTheDispatch) {
    test::AppHarness h;
    SettingsWith(h, 1, 0, "DeviceD=1\r\nDeviceE=0\r\n");
    h.app.Start();
    h.ClearRecords();
    h.formHost.onPopup = [&](ui::Menu& menu) {
        EXPECT_EQ(&menu, &h.main().mnuPopup);
        EXPECT_TRUE(h.main().mnuLockSub[1].checked());  // D: locked
        h.main().mnuUnlockSub[1].click();
    };
    EXPECT_EQ(Icon(h, msg::kRButtonUp), 0);
    EXPECT_EQ(h.formHost.popups, 1);
    EXPECT_EQ(h.Requests(), "-D");
    EXPECT_FALSE(h.main().mnuLockSub[1].checked());
}

TEST(TrayTest, ExitFromThePopupRemovesTheIconBeforeTheMenuReturns) {
    test::AppHarness h;
    SettingsWith(h, 1, 0);
    h.app.Start();
    h.tray.calls.clear();
    h.formHost.onPopup = [&](ui::Menu&) {
        h.main().mnuExit.click();
    };
    Icon(h, msg::kRButtonUp);
    EXPECT_TRUE(h.app.ended());
    EXPECT_EQ(h.tray.calls, std::vector<std::string>{"remove"});
    EXPECT_FALSE(h.tray.shown);
}

TEST(TrayTest, ResumeUnlocksAllAndReappliesTheRecordWithinFiveSeconds) {
    for (int standby : {1, 0}) {
        SCOPED_TRACE(standby);
        test::AppHarness h;
        SettingsWith(h, 0, standby, "DeviceD=1\r\nDeviceE=0\r\n");
        h.app.Start();
        h.StorePassword("secret");  // protection on: a resume still never asks
        h.app.preferences->chkPassword.setValue(1);
        h.ClearRecords();
        const std::string record = h.files.content[h.iniPath()];

        // Other power events and messages go on to the window.
        EXPECT_FALSE(Send(h, msg::kPowerBroadcast, 4 /* suspend */).has_value());
        EXPECT_EQ(h.main().txtPWRMessage.text(), kNoResumeYet);
        // Two resumes before the timer comes round are handled once.
        EXPECT_EQ(Send(h, msg::kPowerBroadcast, msg::kPbtApmResumeSuspend), 0);
        EXPECT_EQ(Send(h, msg::kPowerBroadcast, msg::kPbtApmResumeSuspend), 0);
        EXPECT_EQ(h.main().txtPWRMessage.text(), kResumeSignal);
        h.loop.runUntil(h.loop.now() + 5000);
        EXPECT_EQ(h.Requests(), standby ? "-D -E +D -E" : "-D -E");
        EXPECT_EQ(h.main().txtPWRMessage.text(), "");
        EXPECT_TRUE(h.dialogs.shown.empty());  // no password prompt, no message
        EXPECT_FALSE(h.app.checkPassword->visible());
        EXPECT_EQ(h.files.content[h.iniPath()], record);  // nothing recorded
        EXPECT_TRUE(h.main().blnRecordState);
        EXPECT_FALSE(h.main().blnSkipPassword);

        h.ClearRecords();
        h.loop.runUntil(h.loop.now() + 15000);  // the next ticks find nothing to do
        EXPECT_EQ(h.Requests(), "");
    }
}

TEST(TrayTest, AStartThatEndedEarlyHearsNoResumeAndUnloadTakesTheProceduresOff) {
    test::AppHarness h;
    SettingsWith(h, 1, 1);
    h.instance.another = true;
    EXPECT_FALSE(h.app.Start());
    EXPECT_TRUE(h.main().windowProcs().entries().empty());

    test::AppHarness running;
    SettingsWith(running, 1, 1);
    running.app.Start();
    frmVelkor& main = running.main();
    EXPECT_EQ(main.windowProcs().entries().size(), 2u);  // icon, then power on top
    running.tray.calls.clear();
    running.app.End();
    EXPECT_EQ(running.tray.calls, std::vector<std::string>{"remove"});
}

}  // namespace
}  // namespace velkor
