#pragma once
// One form of every kind of control and menu, loaded through the real renderer: what the renderer
// and window-procedure tests show, change, type into and unload.
#include <windows.h>

#include <gtest/gtest.h>

#include "program/WaitWithEvents.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "win32/Renderer.h"
#include "win32/Win32EventLoop.h"

namespace velkor::test {

// The controls one under the other, each with a tip but the first option; a flag placed beyond
// the client area; a menu bar with a shortcut and a menu array; a hidden pop-up menu; a timer.
class TestForm : public ui::Form {
  public:
    TestForm() : Form("frmTest", "Renderer test") {
        setClientSize(3000, 3600);
        int top = 120;
        for (ui::Control* c : std::initializer_list<ui::Control*>{
                 &check, &first, &second, &name, &drives, &ok, &cancel, &label, &frame, &picture}) {
            c->setBounds({120, top, 1500, 285});
            c->setTabIndex(top);
            if (c != &first) c->setToolTip(c->name());
            top += 330;
            adopt(*c);
        }
        hidden.setBounds({4000, 0, 500, 255});
        hidden.setVisible(false);
        adopt(hidden);
        ok.setDefault(true);
        cancel.setCancel(true);
        file.add(exit);
        view.add(drive);
        popup.add(popFirst);
        popup.add(popSecond);
        popup.setVisible(false);
        for (ui::Menu* menu : {&file, &view, &popup}) adopt(*menu);
        adopt(ticker);
    }
    ui::CheckBox check{"chk", "Check me"};
    ui::OptionGroup group;
    ui::OptionButton first{group, "optA", "First"};
    ui::OptionButton second{group, "optB", "Second"};
    ui::TextBox name{"txtName"};
    ui::ImageCombo drives{"cbo"};
    ui::CommandButton ok{"cmdOK", "OK"};
    ui::CommandButton cancel{"cmdCancel", "Cancel"};
    ui::Label label{"lblLabel", "Label"};
    ui::Frame frame{"fraFrame", "Frame"};
    ui::Picture picture{"picPicture"};
    ui::CheckBox hidden{"chkHidden", "Hidden flag"};
    ui::Menu file{"mnuFile", "&File"};
    ui::Menu exit{"mnuExit", "E&xit", "Ctrl+X"};
    ui::Menu view{"mnuView", "&View"};
    ui::MenuArray drive{"mnuDrive", "drive"};
    ui::Menu popup{"mnuPopup", "Popup"};
    ui::Menu popFirst{"mnuFirst", "First"};
    ui::Menu popSecond{"mnuSecond", "Second"};
    ui::Timer ticker{"tmr", 30};
};

class RendererFixture : public ::testing::Test {
  protected:
    win32::Win32EventLoop loop;
    win32::Renderer renderer{GetModuleHandleW(nullptr), loop};
    ui::FormSlot<TestForm> slot{[] { return std::make_unique<TestForm>(); }, &renderer};
    HWND window() { return renderer.windowOf(*slot); }
    void Pump() { WaitWithEvents(loop, 50); }
};

}  // namespace velkor::test
