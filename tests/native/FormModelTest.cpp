// The toolkit semantics the program's handlers rely on.
#include <gtest/gtest.h>

#include <vector>

#include "platform/RuntimeError.h"
#include "ui/CheckBox.h"
#include "ui/Dispatch.h"
#include "ui/FormSlot.h"
#include "ui/ImageCombo.h"
#include "ui/OptionButton.h"

namespace velkor::ui {
namespace {

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(CheckBoxTest, CodeAndUserRunTheClickHandlerOnlyWhenTheValueChanges) {
    CheckBox box("chkAll");
    std::vector<int> seen;  // the value the handler sees
    box.onClick = [&] {
        seen.push_back(box.value());
    };
    for (int value : {0, 1, 1, 2}) box.setValue(value);  // 0 and the second 1 change nothing
    box.click();  // the user's click goes through the same setter: greyed becomes ticked
    box.click();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 0}));
    EXPECT_EQ(ErrorNumberOf([&] { box.setValue(3); }), 380);
    box.setEnabled(false);
    box.click();
    EXPECT_EQ(box.value(), 0);
}

TEST(OptionButtonTest, SelectingOneClearsTheOthersAndClicksOnlyOnChange) {
    OptionGroup group;
    OptionButton lock(group, "optLock"), unlock(group, "optUnlock"), open(group, "optOpen");
    std::vector<std::string> clicks;
    for (OptionButton* b : {&lock, &unlock, &open}) {
        b->onClick = [&clicks, &group, b] {  // the handler sees the new selection alone
            clicks.push_back(group.selected() == b ? b->name() : "not yet selected alone");
        };
    }
    unlock.select();
    lock.select();
    lock.select();  // already selected: nothing runs
    open.click();   // the user's path
    EXPECT_EQ(clicks, (std::vector<std::string>{"optUnlock", "optLock", "optOpen"}));
    EXPECT_FALSE(lock.selected() || unlock.selected());
    EXPECT_EQ(group.selected(), &open);
}

TEST(ImageComboTest, EntriesAreOneBasedAndInsertsKeepTheSelectedEntry) {
    ImageCombo combo("imgCboDrives");
    EXPECT_EQ(ErrorNumberOf([&] { (void)combo.selectedText(); }), 35600);  // nothing selected
    combo.add(1, "D:", 1);
    combo.add(2, "F:", 1);
    combo.select(2);
    combo.add(1, "C:", 1);  // the selected entry moves down with its text
    EXPECT_EQ(combo.selectedIndex(), 3);
    EXPECT_EQ(combo.selectedText(), "F:");
    EXPECT_EQ(ErrorNumberOf([&] { combo.select(4); }), 35600);
    EXPECT_EQ(ErrorNumberOf([&] { combo.add(5, "Z:"); }), 35600);
    EXPECT_EQ(ErrorNumberOf([&] { (void)combo.entry(0); }), 35600);
}

// A form that counts its loads, unloads and living copies, and touches itself while loading.
class CountingForm : public Form {
  public:
    struct Counts {
        int loads = 0, unloads = 0, alive = 0;
    };
    CountingForm(FormSlot<CountingForm>& slot, Counts& counts)
        : Form("frmTest", "Test"), slot_(slot), counts_(counts) {
        adopt(chkOption);
        ++counts_.alive;
    }
    ~CountingForm() override { --counts_.alive; }
    void Form_Load() override {
        ++counts_.loads;
        slot_->chkOption.setValue(1);  // reaches this very form, no second load
    }
    void Form_Unload(int& cancel) override {
        ++counts_.unloads;
        cancel = keepLoaded ? 1 : 0;
    }
    CheckBox chkOption{"chkOption"};
    bool keepLoaded = false;

  private:
    FormSlot<CountingForm>& slot_;
    Counts& counts_;
};

class RecordingHost : public FormHost {
  public:
    std::vector<std::string> events;
    void attach(Form& f) override { events.push_back("attach " + f.name()); }
    void detach(Form& f) override { events.push_back("detach " + f.name()); }
};

TEST(FormSlotTest, LoadsOnceHiddenAndUnloadedFormsLiveUntilTheOutermostDispatchEnds) {
    CountingForm::Counts n;
    RecordingHost host;
    FormSlot<CountingForm> slot([&] { return std::make_unique<CountingForm>(slot, n); }, &host);
    EXPECT_FALSE(slot.loaded());
    slot->chkOption.setValue(0);  // first touch: load runs, then this statement
    EXPECT_EQ(n.loads, 1);
    EXPECT_FALSE(slot->visible());
    EXPECT_EQ(slot->chkOption.value(), 0);

    slot->keepLoaded = true;
    EXPECT_FALSE(slot.unload());
    EXPECT_TRUE(slot.loaded());
    slot->keepLoaded = false;
    EXPECT_TRUE(slot.unload());
    EXPECT_EQ(n.unloads, 2);
    EXPECT_EQ(n.alive, 0);  // outside any dispatch an unloaded form goes at once

    // A form unloaded by its own handler, inside a handler of an earlier copy of it that unloaded
    // itself too (a prompt raised again inside the wait of a cancelled one), stays whole until
    // the outermost dispatch ends.
    {
        Dispatch outer;
        CountingForm& first = *slot;
        first.chkOption.onClick = [&] {
            slot.unload();
            CountingForm& second = *slot;
            second.chkOption.onClick = [&] {
                slot.unload();
            };
            {
                Dispatch inner;
                second.chkOption.setValue(0);
            }
            EXPECT_EQ(n.alive, 2);
            first.chkOption.setCaption("still here");  // its handler goes on
        };
        first.chkOption.setValue(0);
        EXPECT_EQ(n.alive, 2);
        EXPECT_FALSE(slot.loaded());
    }
    EXPECT_EQ(n.alive, 0);
    EXPECT_EQ(host.events.size(), 6u);  // every window asked for was given back
}

}  // namespace
}  // namespace velkor::ui
