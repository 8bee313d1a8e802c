// The renderer against the real API: windows and controls reflect the model, and the user's
// typing, choices and menu commands reach it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "win32/RendererFixture.h"

namespace velkor::win32 {
namespace {

HWND Child(HWND parent, const wchar_t* caption, const wchar_t* windowClass = nullptr) {
    return FindWindowExW(parent, nullptr, windowClass, caption);
}

// An entry of the selector as "text|picture".
std::wstring Entry(HWND combo, int index) {
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return std::wstring(text) + L"|" +
           std::to_wstring(SendMessageW(combo, CB_GETITEMDATA, index, 0));
}

// The tooltip window the renderer made for `form`.
HWND ToolTipOf(HWND form) {
    HWND tips = nullptr;
    do {
        tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    } while (tips && GetWindow(tips, GW_OWNER) != form);
    return tips;
}

std::wstring TipOf(HWND tooltip, HWND control) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool{sizeof tool, 0, GetParent(control), reinterpret_cast<UINT_PTR>(control)};
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return text;
}

using RendererTest = test::RendererFixture;

// Controls and client area in pixels of the window's DPI, as loaded and after a DPI change,
// which brings a new font and pictures before the old ones go.
TEST_F(RendererTest, LayoutFontAndPicturesFollowTheWindowsDpi) {
    HWND check = Child(window(), L"Check me");
    ASSERT_NE(check, nullptr);
    auto expectLaidOutAt = [&](int dpi) {
        RECT r, client;
        GetWindowRect(check, &r);
        MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
        GetClientRect(window(), &client);
        std::vector<long> pixels;  // the box's left, top and width; the client area's size
        for (int twips : {120, 120, 1500, 3000, 3600}) pixels.push_back(MulDiv(twips, dpi, 1440));
        EXPECT_EQ((std::vector<long>{r.left, r.top, r.right - r.left, client.right, client.bottom}),
                  pixels)
            << dpi << " dpi";
    };
    HDC screen = GetDC(nullptr);
    expectLaidOutAt(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    HWND combo = Child(window(), nullptr, WC_COMBOBOXW);
    const LRESULT fieldBefore = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    auto oldFont = reinterpret_cast<HFONT>(SendMessageW(check, WM_GETFONT, 0, 0));
    LOGFONTW before{}, after{};
    ASSERT_NE(GetObjectW(oldFont, sizeof before, &before), 0);
    RECT suggested{10, 10, 600, 400};
    SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    expectLaidOutAt(144);
    auto newFont = reinterpret_cast<HFONT>(SendMessageW(check, WM_GETFONT, 0, 0));
    ASSERT_NE(GetObjectW(newFont, sizeof after, &after), 0);
    EXPECT_EQ(GetObjectType(oldFont), 0u);  // freed, once the controls no longer use it
    EXPECT_EQ(after.lfHeight, MulDiv(before.lfHeight, 144, 96));
    EXPECT_GE(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 24);  // room for the larger dots
    EXPECT_GT(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), fieldBefore);
}

// What the model sets reaches the controls, also properties a control had none of at creation;
// a choice in the selector comes back. (Clicks on the other kinds of control are the e2e's.)
TEST_F(RendererTest, ModelChangesReachTheControlsAndTheSelectorsChoiceComesBack) {
    HWND edit = Child(window(), nullptr, WC_EDITW);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
    slot->name.setPasswordChar("*");
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    slot->name.setPasswordChar("");
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);

    // A tip given at creation (the tips come once the window has painted); one for a control
    // that had none, changed, and taken away again.
    Pump();
    HWND tips = ToolTipOf(window());
    ASSERT_NE(tips, nullptr);
    HWND check = Child(window(), L"Check me"), option = Child(window(), L"First");
    EXPECT_EQ(TipOf(tips, check), L"chk");
    const LRESULT tools = SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0);
    slot->first.setToolTip("first tip");
    EXPECT_EQ(TipOf(tips, option), L"first tip");
    slot->first.setToolTip("changed");
    EXPECT_EQ(TipOf(tips, option), L"changed");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), tools + 1);
    slot->first.setToolTip("");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), tools);

    // (A tick, a changed caption and a window's new title are seen end to end.)
    slot->check.setValue(2);  // greyed shows greyed, not ticked
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    slot->check.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(check));
    slot->second.select();
    EXPECT_EQ(SendMessageW(Child(window(), L"Second"), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Selecting an entry moves the selection and leaves the entries as they are; a changed entry
    // is filled in again.
    slot->drives.add(1, "D: unlocked", 1);
    slot->drives.add(2, "E: locked", 2);
    HWND combo = Child(window(), nullptr, WC_COMBOBOXW);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Entry(combo, 1), L"E: locked|1");  // the red dot
    SendMessageW(combo, CB_SETITEMDATA, 0, 7);   // a marker
    slot->drives.select(2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Entry(combo, 0), L"D: unlocked|7");
    slot->drives.setText(1, "D: locked");
    EXPECT_EQ(Entry(combo, 0), L"D: locked|0");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);

    SendMessageW(combo, CB_SETCURSEL, 0, 0);  // the user's choice
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(slot->drives.selectedIndex(), 1);
}

TEST_F(RendererTest, TypingAndFocusTravelBetweenBoxAndModel) {
    slot->show();
    HWND edit = Child(window(), nullptr, WC_EDITW);
    int changes = 0;
    slot->name.onChange = [&] {
        if (++changes == 1) throw std::runtime_error("a handler that fails once");
    };
    // Typed as the keyboard delivers it: the box keeps its caret, so the text comes in order.
    for (wchar_t c : std::wstring(L"Gr\u00fc\u00dfe")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(slot->name.text(),
              "Gr\xC3\xBC\xC3\x9F"
              "e");
    slot->name.setText("from code");  // the model's own write is not taken for typing
    EXPECT_EQ(changes, 6);            // the failed handler did not stop the next change

    // (Backspace, an insertion and the selection the model sets: the password dialogs' tests.)
    slot->name.setFocus();
    EXPECT_EQ(GetFocus(), edit);
    SetFocus(Child(window(), L"Check me"));
    EXPECT_FALSE(slot->name.hasFocus());
}

// A menu array's elements come with their check marks and report which was chosen; a shortcut
// is shown beside its entry. (The shortcut typed, through the accelerators, is seen end to end.)
TEST_F(RendererTest, MenusShowArraysWithTheirCheckMarksAndShortcutsBesideTheEntry) {
    int chosen = -1;
    slot->drive.onClick = [&](int index) {
        chosen = index;
    };
    slot->drive[0].setVisible(false);  // the template of the elements
    for (int i : {1, 2}) {
        slot->drive.load(i).setCaption(i == 1 ? "D:" : "E:");
        slot->drive[i].setVisible(true);
    }
    slot->drive[2].setChecked(true);
    HMENU view = GetSubMenu(GetMenu(window()), 1);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(GetMenuItemCount(view), 2);
    wchar_t label[64] = {};
    GetMenuStringW(view, 1, label, 64, MF_BYPOSITION);
    EXPECT_STREQ(label, L"E:");
    EXPECT_EQ(GetMenuState(view, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(view, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
    SendMessageW(window(), WM_COMMAND, GetMenuItemID(view, 1), 0);
    EXPECT_EQ(chosen, 2);

    GetMenuStringW(GetSubMenu(GetMenu(window()), 0), 0, label, 64, MF_BYPOSITION);
    EXPECT_STREQ(label, L"E&xit\tCtrl+X");
    // Without an entry that has a shortcut the window has no accelerator table left.
    ASSERT_NE(loop.acceleratorsOf(window()), nullptr);
    slot->exit.setVisible(false);
    EXPECT_EQ(loop.acceleratorsOf(window()), nullptr);
}

TEST_F(RendererTest, WithoutItsCloseCommandTheWindowStays) {
    slot->show();
    slot->disableClose();
    EXPECT_EQ(GetMenuState(GetSystemMenu(window(), FALSE), SC_CLOSE, MF_BYCOMMAND), UINT(-1));
    SendMessageW(window(), WM_CLOSE, 0, 0);  // (the close box's command: end to end)
    Pump();
    EXPECT_TRUE(IsWindow(window()));
    EXPECT_TRUE(slot->visible());
}

}  // namespace
}  // namespace velkor::win32
