// The renderer against the real API: windows and controls reflect the model, and the user's
// typing, choices and menu commands reach it.
#include "win32/Renderer.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "program/WaitWithEvents.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
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
        name.setBounds({120, 1500, 1500, 285});
        for (ui::Control* c : std::initializer_list<ui::Control*>{&check, &first, &second, &ok,
                                                                  &drives, &hidden, &name}) {
            adopt(*c);
        }
        file.add(exit);
        adopt(file);
        view.add(drive);
        adopt(view);
        adopt(ticker);
    }
    ui::CheckBox check{"chk", "Check me"};
    ui::OptionGroup group;
    ui::OptionButton first{group, "optA", "First"};
    ui::OptionButton second{group, "optB", "Second"};
    ui::CommandButton ok{"cmdOK", "OK"};
    ui::ImageCombo drives{"cbo"};
    ui::CheckBox hidden{"chkHidden", "Hidden flag"};
    ui::TextBox name{"txtName"};
    ui::Menu file{"mnuFile", "&File"};
    ui::Menu exit{"mnuExit", "E&xit", "Ctrl+X"};
    ui::Menu view{"mnuView", "&View"};
    ui::MenuArray drive{"mnuDrive", "drive"};
    ui::Timer ticker{"tmr", 30};
};

HWND Child(HWND parent, const wchar_t* caption) {
    return FindWindowExW(parent, nullptr, nullptr, caption);
}

HWND ComboOf(HWND parent) {
    return FindWindowExW(parent, nullptr, WC_COMBOBOXEXW, nullptr);
}

HWND EditOf(HWND parent) {
    return FindWindowExW(parent, nullptr, WC_EDITW, nullptr);
}

std::wstring ComboText(HWND combo, int index) {
    wchar_t text[64] = {};
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The tooltip window the renderer made for `form`.
HWND ToolTipOf(HWND form) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{form};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            wchar_t cls[64] = {};
            GetClassNameW(window, cls, 64);
            if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == s->owner) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TipOf(HWND tooltip, HWND form, HWND control) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// Keys as a person types them: through the system's input queue.
void Type(std::initializer_list<WORD> down, WORD key) {
    std::vector<INPUT> keys;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = flags;
        keys.push_back(in);
    };
    for (WORD vk : down) add(vk, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (WORD vk : down) add(vk, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
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

// What the model sets reaches the controls, also properties a control had none of at creation;
// a choice in the selector comes back. (Clicks on the other kinds of control are the e2e's.)
TEST_F(RendererTest, ModelChangesReachTheControlsAndTheSelectorsChoiceComesBack) {
    HWND edit = EditOf(window());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
    form().name.setPasswordChar("*");
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    form().name.setPasswordChar("");
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);

    // A tooltip for a control that had none, changed, and taken away again.
    HWND tips = ToolTipOf(window());
    ASSERT_NE(tips, nullptr);
    HWND option = Child(window(), L"First");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
    form().first.setToolTip("first tip");
    EXPECT_EQ(TipOf(tips, window(), option), L"first tip");
    form().first.setToolTip("changed");
    EXPECT_EQ(TipOf(tips, window(), option), L"changed");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    form().first.setToolTip("");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);

    HWND check = Child(window(), L"Check me");
    form().check.setValue(1);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    form().check.setValue(2);  // greyed shows greyed, not ticked
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    form().check.setCaption("Renamed");
    EXPECT_EQ(Child(window(), L"Renamed"), check);
    form().check.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(check));
    form().second.select();
    EXPECT_EQ(SendMessageW(Child(window(), L"Second"), BM_GETCHECK, 0, 0), BST_CHECKED);
    form().setCaption("Velkor test");
    wchar_t caption[64] = {};
    GetWindowTextW(window(), caption, 64);
    EXPECT_STREQ(caption, L"Velkor test");

    // Selecting an entry moves the selection and leaves the entries as they are; a changed entry
    // is filled in again.
    form().drives.add(1, "D: unlocked", 1);
    form().drives.add(2, "E: locked", 2);
    HWND combo = ComboOf(window());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_IMAGE;
    item.iItem = 1;
    SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 1);  // the red dot
    wchar_t marker[] = L"marker";
    item.mask = CBEIF_TEXT;
    item.iItem = 0;
    item.pszText = marker;
    SendMessageW(combo, CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    form().drives.select(2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(ComboText(combo, 0), L"marker");
    EXPECT_EQ(ComboText(combo, 1), L"E: locked");
    form().drives.setText(1, "D: locked");
    EXPECT_EQ(ComboText(combo, 0), L"D: locked");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);

    SendMessageW(combo, CB_SETCURSEL, 0, 0);  // the user's choice
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form().drives.selectedIndex(), 1);
}

TEST_F(RendererTest, TypingFocusAndSelectionTravelBetweenBoxAndModel) {
    form().show();
    HWND edit = EditOf(window());
    int changes = 0;
    form().name.onChange = [&] {
        if (++changes == 1) throw std::runtime_error("a handler that fails once");
    };
    // Typed as the keyboard delivers it: the box keeps its caret, so the text comes in order.
    for (wchar_t c : std::wstring(L"Gr\u00fc\u00dfe")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(form().name.text(),
              "Gr\xC3\xBC\xC3\x9F"
              "e");
    SendMessageW(edit, WM_CHAR, L'\b', 1);  // the failed handler did not stop the next change
    SendMessageW(edit, WM_KEYDOWN, VK_HOME, 1);
    SendMessageW(edit, WM_CHAR, L'X', 1);
    EXPECT_EQ(form().name.text(), "XGr\xC3\xBC\xC3\x9F");
    form().name.setText("from code");  // the model's own write is not taken for typing
    EXPECT_EQ(changes, 8);

    form().name.setFocus();
    EXPECT_EQ(GetFocus(), edit);
    form().name.selectAll();
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    SetFocus(Child(window(), L"Check me"));
    EXPECT_FALSE(form().name.hasFocus());
}

TEST_F(RendererTest, ShortcutsWorkThroughTheAcceleratorsAndFollowTheMenu) {
    int exits = 0;
    form().exit.onClick = [&] {
        ++exits;
    };
    HMENU fileMenu = GetSubMenu(GetMenu(window()), 0);
    wchar_t label[64] = {};
    GetMenuStringW(fileMenu, 0, label, 64, MF_BYPOSITION);
    EXPECT_STREQ(label, L"E&xit\tCtrl+X");  // the shortcut shown beside the entry
    form().show();
    SetForegroundWindow(window());
    SetFocus(Child(window(), L"Check me"));
    Type({VK_CONTROL}, 'X');
    Pump();
    EXPECT_EQ(exits, 1);

    // Without an entry that has a shortcut the window has no accelerator table left.
    ASSERT_NE(loop.acceleratorsOf(window()), nullptr);
    form().exit.setVisible(false);
    EXPECT_EQ(loop.acceleratorsOf(window()), nullptr);
    Type({VK_CONTROL}, 'X');
    Pump();
    EXPECT_EQ(exits, 1);
}

TEST_F(RendererTest, MenuIsRebuiltWhenAnArrayGrowsWithItsCheckMarks) {
    int chosen = -1;
    form().drive.onClick = [&](int index) {
        chosen = index;
    };
    form().drive[0].setVisible(false);  // the template of the elements
    for (int i : {1, 2}) {
        form().drive.load(i).setCaption(i == 1 ? "D:" : "E:");
        form().drive[i].setVisible(true);
    }
    form().drive[2].setChecked(true);
    HMENU view = GetSubMenu(GetMenu(window()), 1);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(GetMenuItemCount(view), 2);
    wchar_t label[16] = {};
    GetMenuStringW(view, 1, label, 16, MF_BYPOSITION);
    EXPECT_STREQ(label, L"E:");
    EXPECT_EQ(GetMenuState(view, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(view, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
    SendMessageW(window(), WM_COMMAND, GetMenuItemID(view, 1), 0);
    EXPECT_EQ(chosen, 2);
}

TEST_F(RendererTest, ADpiChangeGivesNewFontAndPicturesBeforeTheOldGo) {
    HWND check = Child(window(), L"Check me");
    HWND combo = ComboOf(window());
    auto oldFont = reinterpret_cast<HFONT>(SendMessageW(check, WM_GETFONT, 0, 0));
    LOGFONTW before{};
    ASSERT_NE(GetObjectW(oldFont, sizeof before, &before), 0);

    RECT suggested{10, 10, 600, 400};
    SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));

    auto newFont = reinterpret_cast<HFONT>(SendMessageW(check, WM_GETFONT, 0, 0));
    LOGFONTW after{};
    ASSERT_NE(GetObjectW(newFont, sizeof after, &after), 0);
    EXPECT_EQ(GetObjectType(oldFont), 0u);  // freed, once the controls no longer use it
    EXPECT_EQ(after.lfHeight, MulDiv(before.lfHeight, 144, 96));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(combo, CBEM_GETIMAGELIST, 0, 0));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(cx, 24);
    RECT r;
    GetWindowRect(check, &r);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, MulDiv(120, 144, 1440));
    EXPECT_EQ(r.right - r.left, MulDiv(1500, 144, 1440));
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
