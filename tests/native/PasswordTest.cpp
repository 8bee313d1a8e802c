// Password protection: the password file, the set-password dialog, the prompt and the gate on
// every guarded path, driven by scripted input on the fake clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "fakes/AppHarness.h"
#include "forms/main/WindowProc.h"
#include "program/Messages.h"

namespace velkor {
namespace {

using test::AppHarness;
using Texts = std::vector<std::string>;

constexpr const char* kPassword = "Secret";
const std::string kRefusal = "Sorry, a password is required for this action.";

// Only `box` has the focus among the dialog's three boxes.
void ExpectFocusOnly(frmSetPWD& d, const ui::TextBox& box) {
    for (const ui::TextBox* b : {&d.txtPasswordOld, &d.txtPasswordNew, &d.txtPasswordNew2}) {
        EXPECT_EQ(b->hasFocus(), b == &box) << b->name();
    }
}

TEST(PasswordFileTest, OnlyPasswordsThatReadBackAsTypedCanBeStored) {
    // A password, whether it can be stored, and why.
    const std::tuple<std::string, bool, const char*> cases[] = {
        {"M\xC3\xBCnz \xE2\x82\xAC", true, "code-page characters, a blank inside"},
        {"a\xC2\xAEz", true, "a blank inside the stored form is kept"},
        {std::string(63, 'a'), true, "as long as a value reads back"},
        {std::string(64, 'a'), false, "longer than a value reads back"},
        {"\xC4\x81", false, "a character the code page lacks"},
        {"\xC3\x97", false, "stored as a blank, which reading drops"},
        {"\xC3\x99\xC2\xB0", false, "stored as a pair of quotes, which reading drops"},
        {"\xC3\x81", false, "stored as a line break"},
        {"\xC3\xBF", false, "code 255 deciphers as code 0"},
    };
    AppHarness h;
    h.StorePassword("old");
    const std::string before = h.files.content[h.passwordPath()];
    for (const auto& [password, storable, why] : cases) {
        EXPECT_EQ(h.app.passwordFile.CanStore(password), storable) << why;
        EXPECT_EQ(h.files.content[h.passwordPath()], before);  // only tried, never written
        if (!storable) continue;
        h.app.passwordFile.Store(password);
        EXPECT_EQ(h.app.passwordFile.Read().password, password) << why;
        h.files.content[h.passwordPath()] = before;
    }
}

// The program on fakes, both drives locked after its start, the password file as each test
// wants it.
struct Machine : AppHarness {
    void Start(bool withPassword = true) {
        if (withPassword) StorePassword(kPassword);
        Launch(1, 0);
    }
    frmVelkor& w() { return main(); }
    frmPreferences& prefs() { return *app.preferences; }
    std::string Stored() { return app.passwordFile.Read().password; }  // empty when none
};

// Types the three passwords into the set-password dialog and presses OK.
void Enter(frmSetPWD& d, const std::string& old, const std::string& fresh,
           const std::string& repeated) {
    d.txtPasswordOld.setText(old);
    d.txtPasswordNew.setText(fresh);
    d.txtPasswordNew2.setText(repeated);
    d.cmdOK.click();
}

TEST(PasswordTest, SetPasswordRefusesWhatItCannotAcceptAndWritesNothing) {
    struct Case {
        bool german;
        std::string old, fresh, repeated;
        Msg message;
        int box;          // that takes the focus: old, new or repeated
        size_t selected;  // characters selected in it from the start: all of its text
    };
    const std::string tooLong(64, 'x');
    const Case cases[] = {
        {false, "secret", "N3w", "N3w", Msg::InvalidPassword, 0, 6},
        {true, "Secre", "N3w", "N3w", Msg::InvalidPassword, 0, 5},
        {false, kPassword, "", "", Msg::NoPasswordGiven, 1, 0},
        {true, kPassword, "", "x", Msg::NoPasswordGiven, 1, 0},
        {false, kPassword, "N3w", "N3W", Msg::InvalidPassword, 2, 3},
        {false, kPassword, tooLong, tooLong, Msg::CannotStorePassword, 1, 64},
        {true, kPassword, "\xC3\x97", "\xC3\x97", Msg::CannotStorePassword, 1, 1},
    };
    Machine m;
    m.Start();
    const int writes = m.files.replaceCount;
    m.prefs().cmdSetPWD.click();
    frmSetPWD& d = *m.app.setPassword;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.old + "/" + c.fresh + "/" + c.repeated);
        m.Settings(1, 0, 0, c.german ? 1 : 0);
        Enter(d, c.old, c.fresh, c.repeated);
        ASSERT_TRUE(m.app.setPassword.loaded());  // refused: the dialog stays
        EXPECT_EQ(m.dialogs.last().text, Say(c.message, c.german));
        EXPECT_EQ(m.dialogs.last().icon, Icon::None);
        EXPECT_EQ(m.dialogs.last().title, "Velkor");
        ui::TextBox& box =
            *std::array{&d.txtPasswordOld, &d.txtPasswordNew, &d.txtPasswordNew2}[c.box];
        ExpectFocusOnly(d, box);
        EXPECT_EQ(box.selStart(), 0u);
        EXPECT_EQ(box.selLength(), c.selected);
        EXPECT_TRUE(d.visible());
    }
    EXPECT_EQ(m.files.replaceCount, writes);
    EXPECT_EQ(m.Stored(), kPassword);

    Enter(d, kPassword, "N3w", "N3w");
    EXPECT_EQ(m.Stored(), "N3w");
    EXPECT_FALSE(m.app.setPassword.loaded());
}

// The dialog asks for the stored password first, or opens on the new one when none is stored;
// however it ends, the switch and the button show what the file holds: a failed write is
// reported and claims no protection.
TEST(PasswordTest, TheSetPasswordDialogEndsWithTheSwitchInLineWithTheFile) {
    for (bool stored : {false, true}) {
        for (std::string end : {"Cancel", "close command", "OK", "OK, the file read-only"}) {
            SCOPED_TRACE(std::string(stored ? "stored, " : "none, ") + end);
            Machine m;
            m.Start(stored);
            EXPECT_EQ(m.prefs().chkPassword.value(), stored ? 1 : 0);  // as start-up found it
            if (stored) {
                m.prefs().cmdSetPWD.click();
            } else {
                m.prefs().chkPassword.click();  // ticked: the dialog opens
            }
            ASSERT_TRUE(m.app.setPassword.loaded());
            frmSetPWD& d = *m.app.setPassword;
            EXPECT_TRUE(d.visible());
            EXPECT_EQ(d.txtPasswordOld.enabled(), stored);
            EXPECT_EQ(d.txtPasswordOld.backColor(),
                      stored ? ui::SystemColor::Window : ui::SystemColor::Menu);
            ExpectFocusOnly(d, stored ? d.txtPasswordOld : d.txtPasswordNew);
            const bool ok = end == "OK", failed = end == "OK, the file read-only";
            if (failed) m.files.readOnly.insert(m.passwordPath());
            if (ok || failed) Enter(d, stored ? kPassword : "", "N3w", "N3w");
            if (failed) {
                EXPECT_EQ(m.Messages(), Texts{Machine::WriteFailure("cmdOK_Click()")});
                EXPECT_TRUE(d.visible());
                m.dialogs.shown.clear();
            }
            if (!ok) {
                d.txtPasswordOld.setText("typed");
                d.txtPasswordNew.setText("typed");
                end == "close command" ? d.CloseCommand() : d.cmdCancel.click();
            }
            EXPECT_FALSE(m.app.setPassword.loaded());
            EXPECT_EQ(m.prefs().chkPassword.value(), stored || ok ? 1 : 0);
            EXPECT_EQ(m.prefs().cmdSetPWD.enabled(), stored || ok);
            EXPECT_EQ(m.Stored(), ok ? "N3w" : stored ? kPassword : "");
            EXPECT_TRUE(m.dialogs.shown.empty());
        }
    }
}

TEST(PasswordTest, ClearingTheSwitchRemovesThePasswordOnlyForTheRightOne) {
    // The prompt's answer (none: Cancel), a read-only file, the switch still on afterwards.
    const std::tuple<std::optional<std::string>, bool, bool> cases[] = {
        {std::nullopt, false, true}, {kPassword, false, false}, {kPassword, true, true}};
    for (const auto& [answer, readOnly, stillOn] : cases) {
        SCOPED_TRACE(answer.value_or("Cancel") + (readOnly ? ", read-only file" : ""));
        Machine m;
        m.Start();
        if (readOnly) m.files.readOnly.insert(m.passwordPath());
        m.AnswerPrompt(500, answer);
        m.prefs().chkPassword.click();
        EXPECT_EQ(m.loop.now(), 500u);  // the prompt was asked, and answered then
        EXPECT_EQ(m.prefs().chkPassword.value(), stillOn ? 1 : 0);
        EXPECT_EQ(m.prefs().cmdSetPWD.enabled(), stillOn);
        EXPECT_EQ(m.Stored(), stillOn ? kPassword : "");
        EXPECT_FALSE(m.app.setPassword->visible());
        EXPECT_EQ(m.Messages(),
                  readOnly ? Texts{Machine::WriteFailure("chkPassword_Click()")} : Texts{});
    }
}

TEST(PasswordTest, EveryUnlockOpenCloseAndExitAsksAndCancelTouchesNoDrive) {
    auto button = [](ui::OptionButton frmVelkor::*option) {
        return [option](frmVelkor& w) {
            (w.*option).click();
            w.cmdDo.click();
        };
    };
    // What the user does, and whether it asks for the password.
    const std::tuple<const char*, std::function<void(frmVelkor&)>, bool> cases[] = {
        {"OK: Open", button(&frmVelkor::optOpen), true},
        {"OK: Close", button(&frmVelkor::optClose), true},
        {"OK: Lock", button(&frmVelkor::optLock), false},
        {"tray: Open E:", [](frmVelkor& w) { w.mnuOpenSub[2].click(); }, true},
        {"tray: Close E:", [](frmVelkor& w) { w.mnuCloseSub[2].click(); }, true},
        {"tray: Lock E:", [](frmVelkor& w) { w.mnuLockSub[2].click(); }, false},
        {"tray: Unlock all", [](frmVelkor& w) { w.mnuUnlockAll.click(); }, true},
        {"tray: Open all", [](frmVelkor& w) { w.mnuOpenAll.click(); }, true},
        {"tray: Close all", [](frmVelkor& w) { w.mnuCloseAll.click(); }, true},
        {"tray: Lock all", [](frmVelkor& w) { w.mnuLockAll.click(); }, false},
        {"File > Exit", [](frmVelkor& w) { w.mnuExit2.click(); }, true},
        {"resume: skips the password",
         [](frmVelkor& w) {
             w.blnSkipPassword = true;
             w.mnuUnlockAll.click();
         },
         false},
    };
    for (int i = 0; i < 2 * static_cast<int>(std::size(cases)); ++i) {
        const auto& [name, act, asks] = cases[i / 2];  // the prompt cancelled, or closed unanswered
        SCOPED_TRACE(std::string(name) + (i % 2 ? ", closed unanswered" : ", cancelled"));
        Machine m;
        m.Start();
        m.AnswerPrompt(500, std::nullopt, i % 2);
        act(m.w());
        EXPECT_EQ(m.loop.now(), asks ? 500u : 0u);
        EXPECT_EQ(std::ranges::count(m.Messages(), kRefusal), asks ? 1 : 0);
        if (asks) {
            EXPECT_TRUE(m.device.requests.empty());
            EXPECT_TRUE(m.multimedia.commands.empty());
            EXPECT_EQ(m.Entries(), "D: locked#2|E: locked#2");
            EXPECT_FALSE(m.app.ended());        // a refused exit keeps the program running
            EXPECT_TRUE(m.w().blnRecordState);  // and recording what the user does
        }
    }
}

TEST(PasswordTest, StartUpAsksForEveryUnlockItMakes) {
    struct Case {
        int deviceAll, useLastState;
        std::string current;
        int prompts;
        const char* requests;
    };
    const Case cases[] = {
        {0, 0, "", 1, "-D -E"},  // the unlock of all drives asks; the reset before it does not
        {1, 0, "", 0, "-D -E +D +E"},
        {1, 1, "DeviceD=0\r\nDeviceE=1\r\n", 1, "-D -E +E"},
        {0, 1, "DeviceD=0\r\nDeviceE=0\r\n", 2, "-D -E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.deviceAll) + "/" + std::to_string(c.useLastState));
        Machine m;
        for (int i = 0; i < c.prompts; ++i) m.AnswerPrompt(500 + 1000 * i, std::nullopt);
        m.Settings(c.deviceAll, c.useLastState, 0, 0, c.current);
        m.StorePassword(kPassword);
        m.app.Start();
        EXPECT_EQ(m.loop.now(), c.prompts == 0 ? 0u : 1000u * c.prompts - 500u);
        EXPECT_EQ(std::ranges::count(m.Messages(), kRefusal), c.prompts);
        EXPECT_EQ(m.Requests(), c.requests);
        EXPECT_EQ(m.main().txtPWRMessage.text(), "NA");  // start-up went on
    }
}

TEST(PasswordTest, TheSwitchFollowsThePasswordFileWhateverTheOrderOfClicks) {
    // Ticked again before the password came: the password stays.
    Machine t;
    t.Start();
    t.loop.at(100, [&] { t.prefs().chkPassword.click(); });
    t.loop.at(600, [&] { t.prefs().chkPassword.click(); });
    t.AnswerPrompt(800, kPassword);
    t.loop.runUntil(5000);
    EXPECT_EQ(t.Stored(), kPassword);
    EXPECT_EQ(t.prefs().chkPassword.value(), 1);
    EXPECT_TRUE(t.prefs().cmdSetPWD.enabled());

    // A set-password dialog left open stores a new one: the switch follows the file.
    Machine s;
    s.Start();
    s.prefs().cmdSetPWD.click();
    s.AnswerPrompt(500, kPassword);
    s.prefs().chkPassword.click();
    ASSERT_EQ(s.Stored(), "");
    frmSetPWD& d = *s.app.setPassword;
    Enter(d, kPassword, "N3w", "N3w");
    EXPECT_EQ(s.Stored(), "N3w");
    EXPECT_EQ(s.prefs().chkPassword.value(), 1);

    // Start-up loads the set-password dialog hidden while a password is stored; once that is
    // removed, the dialog opens afresh, asking for no old one.
    Machine f;
    f.Start();
    f.AnswerPrompt(500, kPassword);
    f.prefs().chkPassword.click();  // removes the password
    ASSERT_EQ(f.Stored(), "");
    f.prefs().chkPassword.click();  // asks for a new one
    EXPECT_TRUE(f.app.setPassword->visible());
    EXPECT_FALSE(f.app.setPassword->PWDExists);
    EXPECT_FALSE(f.app.setPassword->txtPasswordOld.enabled());
}

// One action at a time: a request made while another one's prompt or message box is open does
// not start (the user is told), and each prompt answers the request that opened it.
TEST(PasswordTest, WhileAnActionRunsAnotherIsRefusedAndEachPromptAnswersItsOwnRequest) {
    using Act = std::function<void(Machine&)>;
    using Answers = std::vector<std::pair<uint64_t, std::optional<std::string>>>;
    struct Case {
        const char* name;
        std::vector<std::pair<uint64_t, Act>> acts;  // what the user does when
        Answers answers;                             // typed into the prompt then, or Cancel
        const char* requests;
        int busy;
    };
    const Act unlockD([](Machine& m) { m.w().mnuUnlockSub[1].click(); });
    const Act unlockE([](Machine& m) { m.w().mnuUnlockSub[2].click(); });
    const Act unlockAll([](Machine& m) { m.w().mnuUnlockAll.click(); });
    const Act openAll([](Machine& m) { m.w().mnuOpenAll.click(); });
    const Act exit([](Machine& m) { m.w().mnuExit.click(); });
    const Act clearSwitch([](Machine& m) { m.prefs().chkPassword.click(); });
    const Act setPasswordCancelled([](Machine& m) {
        m.prefs().cmdSetPWD.click();
        m.app.setPassword->cmdCancel.click();
    });
    const Act resume([](Machine& m) {
        m.w().txtPWRMessage.setText(kResumeSignal);
        m.prefs().chkResume.setValue(0);
    });
    const Answers ok = {{3200, kPassword}}, late = {{7000, kPassword}};
    const Answers cancelThenOk = {{500, std::nullopt}, {900, kPassword}};
    const Case cases[] = {
        {"Open all during Unlock D:", {{100, unlockD}, {1500, openAll}}, ok, "-D", 1},
        {"Exit during Unlock D:", {{100, unlockD}, {1500, exit}}, ok, "-D", 1},
        {"switch cleared during Unlock D:", {{100, unlockD}, {1500, clearSwitch}}, ok, "-D", 1},
        {"Unlock all while the switch clears", {{100, clearSwitch}, {1500, unlockAll}}, ok, "", 1},
        // Each prompt answers its own request.
        {"Unlock E: after a cancelled D:", {{100, unlockD}, {700, unlockE}}, cancelThenOk, "-E", 0},
        // Nothing else ends the prompt's wait.
        {"set-password Cancel", {{100, unlockD}, {500, setPasswordCancelled}}, ok, "-D", 0},
        // A resume while a prompt waits is handled after it.
        {"resume during Unlock D:", {{100, unlockD}, {1500, resume}}, late, "-D -D -E", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Machine m;
        m.Start();
        for (const auto& [ms, act] : c.acts) m.loop.at(ms, [&m, &act = act] { act(m); });
        for (const auto& [ms, typed] : c.answers) m.AnswerPrompt(ms, typed);
        m.loop.runUntil(20000);
        EXPECT_EQ(m.Requests(), c.requests);
        EXPECT_EQ(std::ranges::count(m.Messages(), Say(Msg::Busy, false)), c.busy);
        EXPECT_FALSE(m.app.ended());
        EXPECT_FALSE(m.app.checkPassword.loaded() && m.app.checkPassword->visible());
    }
}

// A password file that is there but cannot be read protects as a stored password does: no
// drive is unlocked, the switch cannot be cleared and no new password replaces it. Only a
// missing file means no password. (A file held open by another program: end to end.)
TEST(PasswordTest, APasswordFileThatCannotBeReadKeepsTheGateShut) {
    for (bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "no file" : "not text");
        Machine m;
        if (!missing) {
            m.files.content[m.passwordPath()] = std::string("[Password]\r\nPassword=\0\x01", 23);
        }
        m.Launch(1, 0, 1);
        EXPECT_EQ(m.prefs().chkPassword.value(), missing ? 0 : 1);
        m.w().mnuUnlockSub[1].click();
        m.prefs().chkPassword.setValue(0);  // the user clears the switch
        EXPECT_EQ(m.Requests(), missing ? "-D" : "");
        EXPECT_EQ(m.prefs().chkPassword.value(), missing ? 0 : 1);
        // One message for the unlock, one for the switch.
        ASSERT_EQ(m.dialogs.shown.size(), missing ? 0u : 2u);
        for (const auto& box : m.dialogs.shown) {
            EXPECT_EQ(box.text,
                      "Die Passwortdatei \"C:\\Velkor\\password.txt\" kann nicht "
                      "gelesen werden: The file is not text.\r\n\r\nGesch\xC3\xBCtzte Aktionen "
                      "bleiben gesperrt, bis sie wieder gelesen werden kann.");
        }
        EXPECT_FALSE(m.app.checkPassword->visible());  // nothing to type a password into
    }
}

TEST(PasswordTest, APasswordFileUnreadableForAMomentNeverLetsAnEmptyAnswerThrough) {
    auto lostAfter100ms = [](Machine& m) {
        m.loop.at(100, [&m] { m.files.unreadable.insert(m.passwordPath()); });
        m.AnswerPrompt(500, "");
    };
    // What happens, and the start of the last message.
    const std::tuple<const char*, std::function<void(Machine&)>, const char*> cases[] = {
        {"unlock, the file lost while the prompt waits",
         [&](Machine& m) { lostAfter100ms(m), m.w().mnuUnlockSub[1].click(); },
         "The password file"},
        {"exit, the same", [&](Machine& m) { lostAfter100ms(m), m.w().mnuExit2.click(); },
         "The password file"},
        {"set password, the file unreadable as the dialog opened",
         [](Machine& m) {
             m.files.unreadable.insert(m.passwordPath());
             frmSetPWD& d = ui::OpenAfresh(m.app.setPassword);
             m.files.unreadable.clear();
             Enter(d, "", "N3w", "N3w");
         },
         "Invalid Password"},
    };
    for (const auto& [name, act, start] : cases) {
        SCOPED_TRACE(name);
        Machine m;
        m.Start();
        act(m);
        EXPECT_EQ(m.Requests(), "");
        EXPECT_FALSE(m.app.ended());
        const Texts told = m.Messages();
        EXPECT_TRUE(!told.empty() && told.back().rfind(start, 0) == 0)
            << ::testing::PrintToString(told);
        m.files.unreadable.clear();
        EXPECT_EQ(m.Stored(), kPassword);
    }
}

}  // namespace
}  // namespace velkor
