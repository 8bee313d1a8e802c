// Forms that come and go: unloaded by their own handlers, loaded and unloaded again, and
// windows the system refuses to make.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/WaitWithEvents.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "win32/Handles.h"
#include "win32/Renderer.h"
#include "win32/Win32EventLoop.h"

namespace velkor::win32 {
namespace {

// A dialog with every kind of control, a menu bar with a shortcut and a hidden pop-up menu.
class EveryKindForm : public ui::Form {
  public:
    EveryKindForm() : Form("frmEvery", "Every kind") {
        setClientSize(4000, 3000);
        int top = 120;
        for (ui::Control* c : std::initializer_list<ui::Control*>{
                 &text, &check, &option, &ok, &cancel, &label, &frame, &picture, &combo}) {
            c->setBounds({120, top, 2000, 285});
            c->setTabIndex(top);
            c->setToolTip(c->name());
            top += 300;
            adopt(*c);
        }
        ok.setDefault(true);
        cancel.setCancel(true);
        combo.add(1, "D:", 1);
        file.add(exit);
        popup.add(entry);
        popup.setVisible(false);
        adopt(file);
        adopt(popup);
    }
    ui::TextBox text{"txtText"};
    ui::CheckBox check{"chkCheck", "Check"};
    ui::OptionGroup group;
    ui::OptionButton option{group, "optOption", "Option"};
    ui::CommandButton ok{"cmdOK", "OK"};
    ui::CommandButton cancel{"cmdCancel", "Cancel"};
    ui::Label label{"lblLabel", "Label"};
    ui::Frame frame{"fraFrame", "Frame"};
    ui::Picture picture{"picPicture"};
    ui::ImageCombo combo{"cboCombo"};
    ui::Menu file{"mnuFile", "&File"};
    ui::Menu exit{"mnuExit", "E&xit", "Ctrl+X"};
    ui::Menu popup{"mnuPopup", "Popup"};
    ui::Menu entry{"mnuEntry", "Entry"};
};

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

class RendererLifecycleTest : public ::testing::Test {
  protected:
    Win32EventLoop loop;
    Renderer renderer{GetModuleHandleW(nullptr), loop};
    ui::FormSlot<EveryKindForm> slot{[] { return std::make_unique<EveryKindForm>(); }, &renderer};
    HWND window() { return renderer.windowOf(*slot); }
};

TEST_F(RendererLifecycleTest, EscapeAndCancelMayUnloadTheirOwnForm) {
    int cancels = 0;
    auto unloadOnCancel = [&] {
        slot->cancel.onClick = [&] {
            ++cancels;
            slot.unload();
        };
        slot->show();
    };

    unloadOnCancel();
    HWND first = window();
    HWND box = FindWindowExW(first, nullptr, WC_EDITW, nullptr);
    PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 1);  // Escape in the text box
    WaitWithEvents(loop, 50);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(slot.loaded());

    unloadOnCancel();
    HWND second = window();
    PostMessageW(FindWindowExW(second, nullptr, nullptr, L"Cancel"), BM_CLICK, 0, 0);
    WaitWithEvents(loop, 50);
    EXPECT_EQ(cancels, 2);
    EXPECT_FALSE(IsWindow(second));

    slot->ok.onClick = [&] {
        slot.unload();
    };  // Enter: the default button
    slot->show();
    HWND third = window();
    PostMessageW(FindWindowExW(third, nullptr, WC_EDITW, nullptr), WM_KEYDOWN, VK_RETURN, 1);
    WaitWithEvents(loop, 50);
    EXPECT_FALSE(IsWindow(third));
    EXPECT_EQ(cancels, 2);
}

// A second cycle shows that a load after an unload starts clean; the counts name what was kept.
TEST_F(RendererLifecycleTest, EveryHandleIsGivenBackAfterEachUnload) {
    const LiveCounts before;
    std::vector<HWND> windows;
    std::vector<HMENU> menus;
    std::vector<HGDIOBJ> fonts;
    std::vector<HICON> icons;
    for (int cycle = 0; cycle < 2; ++cycle) {
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
    EXPECT_EQ(reported, std::vector<std::string>{"CreateWindowExW(txtText)"});
    EXPECT_NE(window(), nullptr);  // the rest of the form is there
    slot->text.setText("no box to show it");
    slot.unload();

    reported.clear();
    {
        RefuseWindows refuse(L"VelkorForm");
        slot->show();
    }
    EXPECT_EQ(reported, std::vector<std::string>{"CreateWindowExW(frmEvery)"});
    EXPECT_EQ(window(), nullptr);
    slot->check.setValue(1);  // a form without a window still works as a model
    EXPECT_TRUE(slot.unload());
}

}  // namespace
}  // namespace velkor::win32
