// The renderer against the real API: windows and controls reflect the model, and the user's
// clicks, choices and menu commands reach it.
#include "win32/Renderer.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/WaitWithEvents.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "win32/Utf.h"
#include "win32/Win32EventLoop.h"

namespace velkor::win32 {
namespace {

class TestForm : public ui::Form {
  public:
    TestForm() : Form("frmTest", "Renderer test") {
        setClientSize(3000, 2000);
        check.setBounds({120, 120, 1500, 255});
        check.setToolTip("a tip");
        first.setBounds({120, 480, 1500, 255});
        second.setBounds({120, 780, 1500, 255});
        ok.setBounds({1800, 1500, 1000, 375});
        ok.setDefault(true);
        drives.setBounds({120, 1080, 2000, 330});
        hidden.setBounds({4000, 0, 500, 255});
        hidden.setVisible(false);
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&check, &first, &second, &ok, &drives, &hidden}) {
            adopt(*c);
        }
        file.add(exit);
        adopt(file);
        adopt(ticker);
    }
    ui::CheckBox check{"chk", "Check me"};
    ui::OptionGroup group;
    ui::OptionButton first{group, "optA", "First"};
    ui::OptionButton second{group, "optB", "Second"};
    ui::CommandButton ok{"cmdOK", "OK"};
    ui::ImageCombo drives{"cbo"};
    ui::CheckBox hidden{"chkHidden", "Hidden flag"};
    ui::Menu file{"mnuFile", "&File"};
    ui::Menu exit{"mnuExit", "E&xit", "Ctrl+X"};
    ui::Timer ticker{"tmr", 30};
};

HWND Child(HWND parent, const wchar_t* caption) {
    return FindWindowExW(parent, nullptr, nullptr, caption);
}

HWND ComboOf(HWND parent) {
    return FindWindowExW(parent, nullptr, WC_COMBOBOXEXW, nullptr);
}

class RendererTest : public ::testing::Test {
  protected:
    Win32EventLoop loop;
    Renderer renderer{GetModuleHandleW(nullptr), loop};
    ui::FormSlot<TestForm> slot{[] { return std::make_unique<TestForm>(); }, &renderer};
    TestForm& form() { return *slot; }
    HWND window() { return renderer.windowOf(form()); }
    void Pump() { WaitWithEvents(loop, 50); }
};

TEST_F(RendererTest, ControlsSitWhereTheModelSaysInPixelsOfTheWindowsDpi) {
    ASSERT_NE(window(), nullptr);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    HWND check = Child(window(), L"Check me");
    ASSERT_NE(check, nullptr);
    RECT r;
    GetWindowRect(check, &r);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, MulDiv(120, dpi, 1440));
    EXPECT_EQ(r.top, MulDiv(120, dpi, 1440));
    EXPECT_EQ(r.right - r.left, MulDiv(1500, dpi, 1440));
    RECT client;
    GetClientRect(window(), &client);
    EXPECT_EQ(client.right, MulDiv(3000, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(2000, dpi, 1440));
    EXPECT_FALSE(IsWindowVisible(Child(window(), L"Hidden flag")));
    EXPECT_FALSE(IsWindowVisible(window()));  // loaded hidden
    form().show();
    EXPECT_TRUE(IsWindowVisible(window()));
}

TEST_F(RendererTest, ModelChangesReachTheControls) {
    HWND check = Child(window(), L"Check me");
    form().check.setValue(1);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    form().check.setCaption("Renamed");
    EXPECT_EQ(Child(window(), L"Renamed"), check);
    form().check.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(check));
    form().second.select();
    EXPECT_EQ(SendMessageW(Child(window(), L"Second"), BM_GETCHECK, 0, 0), BST_CHECKED);

    form().drives.add(1, "D: unlocked", 1);
    form().drives.add(2, "E: locked", 2);
    form().drives.select(2);
    HWND combo = ComboOf(window());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    wchar_t text[64] = {};
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE;
    item.iItem = 1;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"E: locked");
    EXPECT_EQ(item.iImage, 1);  // the red dot

    form().setCaption("Velkor test");
    wchar_t caption[64] = {};
    GetWindowTextW(window(), caption, 64);
    EXPECT_STREQ(caption, L"Velkor test");
}

TEST_F(RendererTest, UserInputReachesTheModel) {
    int clicks = 0, menus = 0;
    form().check.onClick = [&] {
        ++clicks;
    };
    form().ok.onClick = [&] {
        ++clicks;
    };
    form().exit.onClick = [&] {
        ++menus;
    };
    SendMessageW(Child(window(), L"Check me"), BM_CLICK, 0, 0);
    EXPECT_EQ(form().check.value(), 1);
    SendMessageW(Child(window(), L"Second"), BM_CLICK, 0, 0);
    EXPECT_TRUE(form().second.selected());
    SendMessageW(Child(window(), L"OK"), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);

    form().drives.add(1, "D:", 1);
    form().drives.add(2, "E:", 1);
    HWND combo = ComboOf(window());
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form().drives.selectedIndex(), 2);

    HMENU bar = GetMenu(window());
    ASSERT_NE(bar, nullptr);
    HMENU fileMenu = GetSubMenu(bar, 0);
    UINT exitId = GetMenuItemID(fileMenu, 0);
    wchar_t label[64] = {};
    GetMenuStringW(fileMenu, 0, label, 64, MF_BYPOSITION);
    EXPECT_STREQ(label, L"E&xit\tCtrl+X");
    SendMessageW(window(), WM_COMMAND, exitId, 0);
    EXPECT_EQ(menus, 1);
}

TEST_F(RendererTest, WithoutItsCloseCommandTheWindowStays) {
    form().show();
    form().disableClose();
    EXPECT_EQ(GetMenuState(GetSystemMenu(window(), FALSE), SC_CLOSE, MF_BYCOMMAND), UINT(-1));
    SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(window(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(IsWindow(window()));
    EXPECT_TRUE(form().visible());
}

TEST_F(RendererTest, TimersTickWhileMessagesArePumpedAndUnloadRemovesTheWindow) {
    int ticks = 0;
    form().ticker.onTimer = [&] {
        ++ticks;
    };
    WaitWithEvents(loop, 300);
    EXPECT_GE(ticks, 2);
    HWND gone = window();
    EXPECT_TRUE(slot.unload());
    EXPECT_FALSE(IsWindow(gone));
}

}  // namespace
}  // namespace velkor::win32
