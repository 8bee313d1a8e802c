// The notification-area start, the icon's messages and the resume from standby, on fakes: the
// window procedures run as the window would run them, the timer on the fake clock.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"
#include "forms/main/WindowProc.h"
#include "platform/Messages.h"

namespace velkor {
namespace {

using Texts = std::vector<std::string>;

std::optional<intptr_t> Send(test::AppHarness& h, uint32_t message, uintptr_t wParam = 0,
                             intptr_t lParam = 0) {
    return h.main().windowProcs().dispatch({message, wParam, lParam});
}

// The icon comes again with the taskbar (started late, or Explorer restarted), with its tip.
TEST(TrayTest, AMinimisedStartLivesInTheNotificationAreaAndTheIconComesWithTheTaskbar) {
    struct Case {
        int minimize;
        bool taskbar;   // the notification area is there
        bool restored;  // the user restores the window before the taskbar comes
    };
    for (const Case& c : {Case{0, true, false}, Case{1, true, false}, Case{1, false, false},
                          Case{1, false, true}}) {
        SCOPED_TRACE("Minimize " + std::to_string(c.minimize) + (c.taskbar ? "" : ", no taskbar") +
                     (c.restored ? ", restored" : ""));
        test::AppHarness h;
        h.Settings(0, 1, 0, 0, "", c.minimize, 0);
        h.tray.refuseAdd = !c.taskbar;
        ASSERT_TRUE(h.app.Start());
        const Texts icon = c.minimize ? Texts{"add 2025", "tip Velkor"} : Texts{};
        EXPECT_EQ(h.tray.calls, icon);
        const bool startsInTray = c.minimize && c.taskbar;
        EXPECT_EQ(h.main().visible(), !startsInTray);
        EXPECT_EQ(h.main().style().showInTaskbar, !startsInTray);
        EXPECT_EQ(h.main().windowState() == ui::WindowState::Minimized, c.minimize && !c.taskbar);
        if (c.restored) h.main().setWindowState(ui::WindowState::Normal);
        h.tray.refuseAdd = false;
        for (int created = 1; created <= 2; ++created) {
            h.tray.calls.clear();
            Send(h, test::RecordingTray::kTaskbarCreated);
            EXPECT_EQ(h.tray.calls, icon);
            EXPECT_EQ(h.tray.shown, c.minimize == 1);
            // Where a minimised start puts it, unless the user has restored it.
            const bool inTray = c.minimize == 1 && !c.restored;
            EXPECT_EQ(h.main().visible(), !inTray);
            EXPECT_EQ(h.main().style().showInTaskbar, !inTray);
        }
    }
}

// The menu key, Shift+F10 or a right click open the pop-up menu at the anchor the shell gives;
// left with Escape, the focus goes back to the icon. (A right click's pop-up menu running the
// chosen entry, and Exit from it taking the icon away, are seen end to end.)
TEST(TrayTest, TheIconsMessages) {
    struct Case {
        const char* name;
        bool shownBefore, minimisedBefore;
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
        bool consumed, shownAfter;  // afterwards the window is never minimised
    };
    const uint32_t tray = msg::kTrayCallback, sys = msg::kSysCommand;
    const Case cases[] = {
        {"a click's meaning restores a minimised window", true, true, tray, 0,
         msg::kNinSelect | (1 << 16), true, true},
        {"Enter or Space on the icon shows the window", false, false, tray, 0, msg::kNinKeySelect,
         true, true},
        {"the context menu", false, false, tray, (uintptr_t{300} << 16) | 1200, msg::kContextMenu,
         true, false},
        // A click sends its button message first: acting on both would do it twice.
        {"the left button passes", false, false, tray, 0, msg::kLButtonUp, false, false},
        {"the right button passes", false, false, tray, 0, msg::kRButtonUp, false, false},
        {"mouse moves pass", false, false, tray, 0, msg::kMouseMove, false, false},
        {"minimise hides", true, false, sys, msg::kScMinimize, 0, true, false},
        {"minimise from the keyboard", true, false, sys, msg::kScMinimize | 2, 0, true, false},
        {"restore shows a hidden window", false, false, sys, msg::kScRestore, 0, true, true},
        {"restore of a shown window passes", true, false, sys, msg::kScRestore, 0, false, true},
        {"other commands pass", true, false, sys, 0xF060, 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::AppHarness h;
        h.Settings(0, 1, 0, 0, "", 1, 0);
        h.app.Start();
        if (c.shownBefore) h.main().show();
        if (c.minimisedBefore) h.main().setWindowState(ui::WindowState::Minimized);
        h.tray.calls.clear();
        EXPECT_EQ(Send(h, c.message, c.wParam, c.lParam),
                  c.consumed ? std::optional<intptr_t>(0) : std::nullopt);
        EXPECT_EQ(h.main().visible(), c.shownAfter);
        EXPECT_EQ(h.main().windowState(), ui::WindowState::Normal);
        const bool menu = c.lParam == msg::kContextMenu;
        EXPECT_EQ(h.formHost.popups, menu ? 1 : 0);
        EXPECT_EQ(h.tray.calls, menu ? Texts{"focus"} : Texts{});  // the fake user chose nothing
        EXPECT_EQ(h.formHost.lastAnchor, menu ? "1200,300" : "");
    }
}

TEST(TrayTest, ResumeUnlocksAllAndReappliesTheRecordWithinFiveSeconds) {
    const uintptr_t automatic = msg::kPbtApmResumeAutomatic, person = msg::kPbtApmResumeSuspend;
    // The setting Standby, and the events the system sends.
    const std::pair<int, std::vector<uintptr_t>> cases[] = {
        {1, {automatic, person}},  // a person woke it: one wake, handled once
        {0, {automatic, person}},
        {1, {automatic}},  // a timer or the network woke it, nobody at the PC
        {1, {person}},     // a system that tells only of a wake by a person
    };
    for (const auto& [standby, wake] : cases) {
        SCOPED_TRACE(standby);
        test::AppHarness h;
        h.Settings(0, 1, 0, 0, "DeviceD=1\r\nDeviceE=0\r\n", 0, standby);
        h.app.Start();
        h.StorePassword("secret");  // protection on: a resume still never asks
        h.app.preferences->chkPassword.setValue(1);
        h.ClearRecords();
        const std::string record = h.files.content[h.iniPath()];

        // Other power events and messages go on to the window.
        EXPECT_FALSE(Send(h, msg::kPowerBroadcast, 4 /* suspend */).has_value());
        EXPECT_EQ(h.main().txtPWRMessage.text(), kNoResumeYet);
        EXPECT_EQ(Send(h, msg::kPowerBroadcast, wake[0]), 0);
        EXPECT_EQ(h.main().txtPWRMessage.text(), kResumeSignal);
        h.loop.runUntil(h.loop.now() + 5000);
        // The person's key press after the timer handled the wake is the same wake.
        for (size_t k = 1; k < wake.size(); ++k) Send(h, msg::kPowerBroadcast, wake[k]);
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

}  // namespace
}  // namespace velkor
