// The program's window procedures on a real window, the pop-up menu, and the notification-area
// icon through the real API.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Messages.h"
#include "win32/ModernStandby.h"
#include "win32/RendererFixture.h"
#include "win32/Win32Tray.h"

namespace velkor::win32 {
namespace {

using WindowProcTest = test::RendererFixture;

constexpr UINT kProbe = WM_APP + 7;

TEST_F(WindowProcTest, ProceduresChainNewestFirstAndComeOffInAnyOrder) {
    std::string seen;
    auto recorder = [&](char name, bool consume) {
        return [&seen, name, consume](const ui::WindowMessage& m) -> std::optional<intptr_t> {
            if (m.message != kProbe) return std::nullopt;
            seen += name;
            return consume ? std::optional<intptr_t>(42) : std::nullopt;
        };
    };
    // Who saw the probe, in order, and what came back (0: passed on to the window itself).
    auto probe = [&] {
        seen.clear();
        const LRESULT result = SendMessageW(window(), kProbe, 0, 0);
        return seen + " " + std::to_string(result);
    };
    int a = slot->installWindowProc(recorder('a', false));
    int b = slot->installWindowProc(recorder('b', false));
    int c = slot->installWindowProc(recorder('c', false));
    EXPECT_EQ(probe(), "cba 0");
    slot->removeWindowProc(b);  // from the middle
    EXPECT_EQ(probe(), "ca 0");
    slot->removeWindowProc(c);
    slot->removeWindowProc(a);  // the last ones, in the reverse of their install order
    EXPECT_EQ(probe(), " 0");

    int consumer = slot->installWindowProc(recorder('x', true));
    slot->installWindowProc(recorder('y', false));
    EXPECT_EQ(probe(), "yx 42");
    slot->removeWindowProc(consumer);
    EXPECT_EQ(probe(), "y 0");
}

// (A procedure unloading its own form: Exit from the icon's pop-up menu, end to end.)
TEST_F(WindowProcTest, PopupMenuRunsTheChosenEntryBeforeItReturns) {
    std::string chosen;
    for (ui::Menu* entry : {&slot->popFirst, &slot->popSecond}) {
        entry->onClick = [&chosen, entry] {
            chosen += entry->caption();
        };
    }
    slot->show();
    // The keys wait in the queue for the menu's own loop: down twice, then Enter.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(window(), WM_KEYDOWN, key, 0);
    EXPECT_TRUE(slot->PopupMenu(slot->popup, ui::ScreenPoint{40, 40}));  // at the icon's anchor
    EXPECT_EQ(chosen, "Second");

    PostMessageW(window(), WM_KEYDOWN, VK_ESCAPE, 0);  // closed without a choice
    EXPECT_FALSE(slot->PopupMenu(slot->popup));
    EXPECT_EQ(chosen, "Second");
}

// Clicks on the icon reaching the window, and the icon going at exit, are seen end to end.
TEST_F(WindowProcTest, TrayIconTakesATipOnlyOnceItIsThere) {
    Win32Tray tray(GetModuleHandleW(nullptr), renderer);
    EXPECT_FALSE(tray.SetTip("no icon yet"));
    ASSERT_TRUE(tray.Add(*slot, msg::kTrayCallback));
    EXPECT_TRUE(tray.speaksVersion4());              // the keyboard's events, and a click's meaning
    EXPECT_TRUE(tray.SetTip(std::string(80, 'x')));  // cut, not refused
    EXPECT_EQ(tray.TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
    tray.Remove();
    EXPECT_FALSE(tray.SetTip("gone"));
    tray.Remove();  // a second time is harmless
    ASSERT_TRUE(tray.Add(*slot, msg::kTrayCallback));
    EXPECT_TRUE(tray.speaksVersion4());
}

// Windows 8 and later (Wine too) tell a window that asked of a modern standby's sleep and wake.
TEST_F(WindowProcTest, TheMainWindowAsksToHearOfModernStandby) {
    EXPECT_TRUE(ModernStandbyNotifications(window()).registered());
    EXPECT_FALSE(ModernStandbyNotifications(nullptr).registered());
}

}  // namespace
}  // namespace velkor::win32
