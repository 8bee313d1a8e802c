// Forms that come and go: loaded and unloaded again, and windows the system refuses to make.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "win32/Handles.h"
#include "win32/RendererFixture.h"

namespace velkor::win32 {
namespace {

// How many handles of each kind guards hold right now.
std::map<std::string, long> LiveCounts() {
    return {{"windows", UniqueWindow::Live()},
            {"menus", UniqueMenu::Live()},
            {"accelerators", UniqueAccelerators::Live()},
            {"fonts", UniqueFont::Live()},
            {"image lists", UniqueImageList::Live()},
            {"icons", UniqueIcon::Live()}};
}

using RendererLifecycleTest = test::RendererFixture;

// (A button's handler unloading its own form: the password dialogs' Enter and Escape.)

// A second cycle shows that a load after an unload starts clean; the counts name what was kept.
TEST_F(RendererLifecycleTest, EveryHandleIsGivenBackAfterEachUnload) {
    const std::map<std::string, long> before = LiveCounts();
    std::vector<HWND> windows;
    std::vector<HMENU> menus;
    std::vector<HGDIOBJ> fonts;
    std::vector<HICON> icons;
    for (int cycle = 0; cycle < 2; ++cycle) {
        slot->drives.add(1, "D:", 1);
        slot->show();
        WaitWithEvents(loop, 0);
        HWND form = window();
        ASSERT_NE(form, nullptr);
        windows.push_back(form);
        windows.push_back(FindWindowExW(form, nullptr, WC_EDITW, nullptr));
        menus.push_back(GetMenu(form));
        menus.push_back(renderer.popupOf(*slot, slot->popup));
        fonts.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(windows.back(), WM_GETFONT, 0, 0)));
        icons.push_back(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_SMALL, 0)));
        ASSERT_TRUE(slot.unload());
        EXPECT_EQ(LiveCounts(), before) << "after cycle " << cycle + 1;
    }
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    for (HMENU m : menus) EXPECT_FALSE(IsMenu(m));
    for (HGDIOBJ f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
    ICONINFO info{};
    for (HICON i : icons) EXPECT_FALSE(GetIconInfo(i, &info));
    EXPECT_EQ(loop.acceleratorsOf(windows.front()), nullptr);
}

// Makes the system refuse to create windows of this class, while the hook below is in place.
std::wstring refused;

LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        // With the common controls of the manifest, a class name carries their version first.
        const wchar_t* cls = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
        const std::wstring name = IS_INTRESOURCE(cls) ? L"" : cls;
        if (name.substr(name.find(L'!') + 1) == refused) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(RendererLifecycleTest, WindowsTheSystemRefusesAreReported) {
    std::vector<std::string> reported;
    renderer.onFailure = [&](const std::string& what, unsigned long) {
        reported.push_back(what);
    };
    auto showRefusing = [&](const wchar_t* windowClass) {
        refused = windowClass;
        HHOOK hook = SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId());
        slot->show();
        UnhookWindowsHookEx(hook);
    };
    showRefusing(WC_EDITW);
    EXPECT_EQ(reported, std::vector<std::string>{"CreateWindowExW(txtName)"});
    EXPECT_NE(window(), nullptr);  // the rest of the form is there
    slot->name.setText("no box to show it");
    slot.unload();

    reported.clear();
    showRefusing(L"VelkorForm");
    EXPECT_EQ(reported, std::vector<std::string>{"CreateWindowExW(frmTest)"});
    EXPECT_EQ(window(), nullptr);
    slot->check.setValue(1);  // a form without a window still works as a model
    EXPECT_TRUE(slot.unload());
}

}  // namespace
}  // namespace velkor::win32
