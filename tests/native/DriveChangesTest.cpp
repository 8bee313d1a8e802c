// Drives that come and go while the program runs, after a start with D: and E:.
#include <gtest/gtest.h>

#include <functional>

#include "fakes/AppHarness.h"
#include "platform/Messages.h"

namespace velkor {
namespace {

struct Machine : test::AppHarness {
    void Plug(char letter) { drives.types[letter] = DriveType::CdRom; }
    void Unplug(char letter) { drives.types.erase(letter); }
    // The system's notification, naming the volume `letter` when one is given.
    void Notify(uintptr_t event = msg::kDbtDeviceArrival, char letter = 0) {
        msg::VolumeBroadcast volume;
        volume.unitMask = letter ? 1u << (letter - 'A') : 0;
        Message(msg::kDeviceChange, event, letter ? reinterpret_cast<intptr_t>(&volume) : 0);
    }
    // E: taken away and plugged in again under its letter: another device, unlocked.
    void Replug() {
        Unplug('E'), Notify(msg::kDbtDeviceRemoveComplete, 'E');
        Plug('E'), Notify(msg::kDbtDeviceArrival, 'E');
    }
    void Message(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        ui::Dispatch dispatch;
        main().windowProcs().dispatch({message, wParam, lParam});
    }
    void Wait(uint64_t ms) { loop.runUntil(loop.now() + ms); }
    // The captions of one submenu's elements, and of the lock submenu's check marks.
    static std::string Captions(ui::MenuArray& sub) {
        std::string joined;
        for (ui::Menu* element : sub.elements()) {
            if (element->index() == 0) continue;
            joined +=
                (joined.empty() ? "" : "|") + element->caption() + (element->checked() ? "*" : "");
        }
        return joined;
    }
};

TEST(DriveChangesTest, TheListFollowsTheDrivesAndANewOneGetsTheStartUpPolicy) {
    struct Case {
        const char* name;
        int deviceAll, useLastState;
        const char* record;  // section "Current"
        bool protect;        // a password is stored
        std::function<void(Machine&)> change;
        const char* entries;
        const char* requests;  // device requests made for the change
        const char* lockSub;   // captions, "*" where checked
        int selected;
    };
    const std::vector<Case> cases = {
        {"plugged in, last state recorded as locked", 0, 1, "DeviceF=1\r\n", false,
         [](Machine& m) { m.Plug('F'), m.Notify(); }, "D: unlocked#1|E: unlocked#1|F: locked#2",
         "+F", "D:|E:|F:*", 2},  // the restore ended on E:
        {"plugged in, last state without a record", 0, 1, "", false,
         [](Machine& m) { m.Plug('F'), m.Notify(); }, "D: unlocked#1|E: unlocked#1|F: unlocked#1",
         "", "D:|E:|F:", 2},
        {"plugged in, no start-up policy", 0, 0, "", false,
         [](Machine& m) { m.Plug('F'), m.Notify(); }, "D: unlocked#1|E: unlocked#1|F: unlocked#1",
         "", "D:|E:|F:", 1},
        {"a drive between the others, found through a change of the device tree", 1, 0, "", false,
         [](Machine& m) {
             m.Unplug('E'), m.Plug('G'), m.Notify(msg::kDbtDevNodesChanged);
             m.Wait(600);
             m.main().imgCboDrives.select(2);  // G:
             m.Plug('E'), m.Notify();
         },
         "D: locked#2|E: locked#2|G: locked#2", "+G +E", "D:*|E:*|G:*", 3},
        {"the selected drive taken away: the first is selected", 1, 0, "", false,
         [](Machine& m) {
             m.main().imgCboDrives.select(2);
             m.Unplug('E'), m.Notify(msg::kDbtDeviceRemoveComplete);
         },
         "D: locked#2", "", "D:*", 1},
        {"the first taken away: the selection stays on its drive", 1, 0, "", false,
         [](Machine& m) {
             m.main().imgCboDrives.select(2);
             m.Unplug('D'), m.Notify(msg::kDbtDeviceRemoveComplete);
         },
         "E: locked#2", "", "E:*", 1},
        {"every drive gone", 1, 0, "", false,
         [](Machine& m) { m.Unplug('D'), m.Unplug('E'), m.Notify(msg::kDbtDeviceRemoveComplete); },
         "", "", "", 0},
        {"a letter that changed is one gone and one new", 1, 0, "", false,
         [](Machine& m) { m.Unplug('E'), m.Plug('H'), m.Notify(); }, "D: locked#2|H: locked#2",
         "+H", "D:*|H:*", 1},
        {"plugged in, lock all at start-up: a burst of notifications is one change", 1, 0, "",
         false,
         [](Machine& m) {
             m.Plug('F'), m.Notify();
             m.Wait(300);
             m.Notify(msg::kDbtDevNodesChanged), m.Wait(300), m.Notify();
         },
         "D: locked#2|E: locked#2|F: locked#2", "+F", "D:*|E:*|F:*", 1},
        {"E: replugged within one burst is a new drive", 1, 0, "", false,
         [](Machine& m) { m.Replug(); }, "D: locked#2|E: locked#2", "+E", "D:*|E:*", 1},
        {"E: replugged, no start-up policy: shown unlocked as its device is", 0, 0, "", false,
         [](Machine& m) {
             m.main().imgCboDrives.select(2), m.main().optLock.click(), m.main().cmdDo.click();
             m.ClearRecords(), m.Replug();
         },
         "D: unlocked#1|E: unlocked#1", "", "D:|E:", 2},
        {"a disc put in changes nothing", 1, 0, "", false, [](Machine& m) { m.Notify(); },
         "D: locked#2|E: locked#2", "", "D:*|E:*", 1},
        {"held back while a menu is open", 1, 0, "", false,
         [](Machine& m) {
             m.Message(msg::kEnterMenuLoop);
             m.Plug('F'), m.Notify(), m.Wait(2000);
             EXPECT_EQ(m.main().drives.count(), 2);
             m.Message(msg::kExitMenuLoop);
         },
         "D: locked#2|E: locked#2|F: locked#2", "+F", "D:*|E:*|F:*", 1},
        {"held back while a message box is open", 1, 0, "", false,
         [](Machine& m) {
             m.dialogs.whileOpen = [&m] {
                 m.dialogs.whileOpen = nullptr;
                 m.Plug('F'), m.Notify(), m.Wait(2000);
                 EXPECT_EQ(m.main().drives.count(), 2);
             };
             m.app.ports.dialogs.Show({"a box", "Velkor", Buttons::Ok, Icon::None});
         },
         "D: locked#2|E: locked#2|F: locked#2", "+F", "D:*|E:*|F:*", 1},
        {"held back while a password prompt waits", 1, 0, "", true,
         [](Machine& m) {
             m.main().chkAll.setValue(0);
             m.main().optUnlock.click();
             m.loop.at(m.loop.now() + 100, [&m] { m.Plug('F'), m.Notify(), m.Replug(); });
             m.loop.at(m.loop.now() + 2000,
                       [&m] { EXPECT_EQ(m.main().drives.count(), 2) << "during the prompt"; });
             m.AnswerPrompt(m.loop.now() + 3000, "pw");
             ui::Dispatch dispatch;
             m.main().cmdDo.click();  // unlocks D:, then the new drive comes
         },
         "D: unlocked#1|E: locked#2|F: locked#2", "-D +E +F", "D:|E:*|F:*", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Machine m;
        m.Settings(c.deviceAll, c.useLastState, 0, 0, c.record);
        if (c.protect) m.StorePassword("pw");
        m.app.Start();
        m.ClearRecords();
        c.change(m);
        m.Wait(600);
        EXPECT_EQ(m.Entries(), c.entries);
        EXPECT_EQ(m.Requests(), c.requests);
        EXPECT_EQ(Machine::Captions(m.main().mnuLockSub), c.lockSub);
        EXPECT_EQ(m.main().imgCboDrives.selectedIndex(), c.selected);
        // Element k of every submenu names the drive of entry k.
        for (int k = 1; k <= m.main().drives.count(); ++k) {
            for (ui::MenuArray* sub : {&m.main().mnuOpenSub, &m.main().mnuCloseSub}) {
                EXPECT_EQ((*sub)[k].caption(), m.main().drives.LetterOf(k));
            }
        }
        EXPECT_FALSE(m.main().mnuOpenSub.exists(m.main().drives.count() + 1));
        // A drive that went keeps its record for its return.
        if (c.deviceAll == 1) {
            EXPECT_EQ(m.Read("Current", "DeviceE"), "1");
        }
    }
}

}  // namespace
}  // namespace velkor
