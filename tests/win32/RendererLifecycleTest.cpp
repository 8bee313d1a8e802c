// Forms that come and go: loaded and unloaded again, and windows the system refuses to make.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/Handles.h"
#include "win32/RendererFixture.h"

namespace velkor::win32 {
namespace {

struct LiveCounts {
    long windows = UniqueWindow::Live();
    long menus = UniqueMenu::Live();
    long accelerators = UniqueAccelerators::Live();
    long fonts = UniqueFont::Live();
    long imageLists = UniqueImageList::Live();
    long icons = UniqueIcon::Live();
    bool operator==(const LiveCounts&) const = default;
};

void PrintTo(const LiveCounts& c, std::ostream* out) {
    *out << "windows " << c.windows << ", menus " << c.menus << ", accelerators " << c.accelerators
         << ", fonts " << c.fonts << ", image lists " << c.imageLists << ", icons " << c.icons;
}

using RendererLifecycleTest = test::RendererFixture;

// (A button's handler unloading its own form: the password dialogs' Enter and Escape.)

// A second cycle shows that a load after an unload starts clean; the counts name what was kept.
TEST_F(RendererLifecycleTest, EveryHandleIsGivenBackAfterEachUnload) {
    const LiveCounts before;
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

// Makes the system refuse to create windows of one class on this thread.
class RefuseWindows {
  public:
    explicit RefuseWindows(const wchar_t* windowClass) {
        refused_ = windowClass;
        hook_ = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~RefuseWindows() { UnhookWindowsHookEx(hook_); }
    RefuseWindows(const RefuseWindows&) = delete;
    RefuseWindows& operator=(const RefuseWindows&) = delete;

  private:
    // With the common controls of the manifest, a class name carries their version in front.
    static std::wstring Unversioned(const wchar_t* cls) {
        std::wstring name = cls;
        return name.substr(name.find(L'!') + 1);
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const wchar_t* cls = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
            if (!IS_INTRESOURCE(cls) && Unversioned(cls) == refused_) return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::wstring refused_;
    HHOOK hook_;
};

TEST_F(RendererLifecycleTest, WindowsTheSystemRefusesAreReported) {
    std::vector<std::string> reported;
    renderer.onFailure = [&](const std::string& what, unsigned long) {
        reported.push_back(what);
    };
    {
        RefuseWindows refuse(WC_EDITW);
        slot->show();
    }
    EXPECT_EQ(reported, std::vector<std::string>{"CreateWindowExW(txtName)"});
    EXPECT_NE(window(), nullptr);  // the rest of the form is there
    slot->name.setText("no box to show it");
    slot.unload();

    reported.clear();
    {
        RefuseWindows refuse(L"VelkorForm");
        slot->show();
    }
    EXPECT_EQ(reported, std::vector<std::string>{"CreateWindowExW(frmTest)"});
    EXPECT_EQ(window(), nullptr);
    slot->check.setValue(1);  // a form without a window still works as a model
    EXPECT_TRUE(slot.unload());
}

}  // namespace
}  // namespace velkor::win32
