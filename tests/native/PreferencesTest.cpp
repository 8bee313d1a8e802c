// The preferences dialog: the stored language selected at its load, the language choice
// written at once, the start-up options applied, closing without applying.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "fakes/AppHarness.h"
#include "program/Messages.h"

namespace velkor {
namespace {

using test::AppHarness;
using Texts = std::vector<std::string>;

// Language files that tell which one a caption came from.
void LanguageFiles(AppHarness& h) {
    for (const char* number : {"0", "1", "2"}) {
        h.files.content[h.files.path(std::string("Language_") + number + ".txt")] =
            std::string("[Main]\r\nchkAll=") + number + "\r\n[Preferences]\r\ncmdApply=" + number +
            "\r\n";
    }
}

const char* Selected(frmPreferences& prefs) {
    ui::OptionButton* option = prefs.languages.selected();
    return option ? option->name().c_str() : "none";
}

// The number in section "Language": the preferences dialog's load selects its option and
// writes it back, the captions come from its language file. Every message, the password prompt,
// the exit question and the about box share one rule, the number read again for each: German for
// language 1, English for any other number and for a missing or unreadable one.
TEST(PreferencesTest, TheLanguageNumberAtLoadAndInEveryText) {
    struct Case {
        const char* line;  // of section "Language"
        const char* selected;
        const char* stored;   // afterwards
        const char* caption;  // of chkAll and cmdApply; none for a number that cannot be read
    };
    const Case cases[] = {
        {"Language=0\r\n", "optEnglish", "0", "0"},
        {"Language=1\r\n", "optGerman", "1", "1"},
        {"Language=2\r\n", "optEnglish", "0", "0"},  // rewritten; no window shows file 2
        {"", "none", "", nullptr},
        {"Language=x\r\n", "none", "x", nullptr},
        {"Language=99999\r\n", "none", "99999", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        AppHarness h;
        LanguageFiles(h);
        // A protected program, started without a prompt: locking all asks for no password.
        h.StorePassword("Secret");
        h.files.content[h.iniPath()] =
            std::string("[Default]\r\nDeviceAll=1\r\nDelay=0\r\n[Language]\r\n") + c.line;
        h.app.Start();
        frmPreferences& prefs = *h.app.preferences;
        EXPECT_STREQ(Selected(prefs), c.selected);
        EXPECT_EQ(h.Read("Language", "Language"), c.stored);
        EXPECT_EQ(h.main().chkAll.caption(), c.caption ? c.caption : "all CD/DVD drives");
        EXPECT_EQ(prefs.cmdApply.caption(), c.caption ? c.caption : "Apply");
        // A number that cannot be read changes no caption and loads no password dialog;
        // start-up's caption loading and the dialog's load each tell the user.
        EXPECT_EQ(h.Messages(),
                  (c.caption ? Texts{} : Texts{"INI-File not found.", "INI-File not found"}));
        EXPECT_EQ(h.app.checkPassword.loaded(), c.caption != nullptr);
        for (const MessageBoxRequest& box : h.dialogs.shown) {
            EXPECT_EQ(box.title, "Velkor");
            EXPECT_EQ(box.icon, Icon::None);
        }

        const bool german = std::string_view(c.selected) == "optGerman";
        h.files.content[h.iniPath()] = std::string("[Language]\r\n") + c.line;
        h.ClearRecords();
        std::string explanation;
        h.loop.at(500, [&] { explanation = h.app.checkPassword->lblPWD.caption(); });
        h.AnswerPrompt(600, "wrong");
        h.AnswerPrompt(700, std::nullopt);
        h.main().mnuUnlockAll.click();  // a wrong password, then Cancel: refused
        h.dialogs.answers = {Answer::Cancel};
        h.main().mnuExit2.click();
        EXPECT_EQ(explanation.rfind(german ? "Diese Aktion" : "This action", 0), 0u) << explanation;
        EXPECT_EQ(h.Messages(),
                  (Texts{Say(Msg::InvalidPassword, german), Say(Msg::PasswordRequired, german),
                         Say(Msg::ExitQuestion, german)}));
        EXPECT_EQ(h.dialogs.last().title, german ? "Velkor beenden" : "Exit Velkor");
        h.main().mnuAbout.click();
        EXPECT_EQ(h.app.about->txtAbout2.text(), Say(Msg::Donation, german, {"PayGrove"}));
    }
}

TEST(PreferencesTest, FailedLanguageWriteIsReportedAndTheOptionsShowTheStoredOne) {
    // The language stored, and whether the settings file cannot even be read.
    const std::pair<int, bool> cases[] = {{0, false}, {1, false}, {0, true}};
    for (const auto& [stored, unreadable] : cases) {
        AppHarness h;
        LanguageFiles(h);
        h.Launch(0, 0, stored);
        const std::string before = h.files.content[h.iniPath()];
        (unreadable ? h.files.unreadable : h.files.readOnly).insert(h.iniPath());
        frmPreferences& prefs = *h.app.preferences;
        ui::OptionButton& other = stored ? prefs.optEnglish : prefs.optGerman;
        SCOPED_TRACE(other.name() + (unreadable ? ", unreadable" : ""));
        other.click();
        EXPECT_EQ(h.Messages(),
                  Texts{AppHarness::WriteFailure(
                      other.name() + "_Click()",
                      unreadable ? "The process cannot access the file." : "Access is denied.")});
        EXPECT_STREQ(Selected(prefs), unreadable ? "none" : stored ? "optGerman" : "optEnglish");
        EXPECT_EQ(h.files.content[h.iniPath()], before);
        EXPECT_EQ(h.main().chkAll.caption(), std::to_string(stored));  // captions unchanged
    }
}

// Apply writes the four options in order and hides the dialog; closing it (close box, Alt+F4
// or Escape) hides it without applying.
TEST(PreferencesTest, ApplyWritesTheFourOptionsInOrderAndClosingHidesWithoutApplying) {
    AppHarness h;
    h.files.content[h.iniPath()] = "[Language]\r\nLanguage=1\r\n";
    h.StorePassword("Secret");
    h.app.Start();
    frmPreferences& prefs = *h.app.preferences;
    h.main().mnuPreferences.click();
    ASSERT_TRUE(prefs.visible());
    EXPECT_TRUE(prefs.cmdApply.isDefault());  // Enter applies

    prefs.chkLockAll.click();
    prefs.chkSaveState.click();  // excludes locking all drives, without clearing the box
    EXPECT_FALSE(prefs.chkLockAll.enabled());
    EXPECT_EQ(prefs.chkLockAll.value(), 1);
    prefs.chkMinimizeToTray.click();

    h.files.readOnly.insert(h.iniPath());
    h.ClearRecords();
    prefs.cmdApply.click();
    EXPECT_EQ(h.Messages(), Texts{AppHarness::WriteFailure("cmdApply_Click()")});
    EXPECT_TRUE(prefs.visible());

    h.files.readOnly.clear();
    prefs.cmdApply.click();
    EXPECT_FALSE(prefs.visible());
    ASSERT_TRUE(h.app.preferences.loaded());
    const std::string file = h.files.content[h.iniPath()];
    EXPECT_NE(
        file.find("[Default]\r\nMinimize=1\r\nUseLastState=1\r\nDeviceAll=1\r\nStandby=0\r\n"),
        std::string::npos)
        << file;
    EXPECT_EQ(h.Read("Language", "Language"), "1");

    h.main().mnuPreferences.click();
    prefs.chkSaveState.click();
    EXPECT_TRUE(prefs.chkLockAll.enabled());
    prefs.CloseCommand();
    EXPECT_FALSE(prefs.visible());
    ASSERT_TRUE(h.app.preferences.loaded());
    EXPECT_EQ(h.files.content[h.iniPath()], file);
    // The boxes keep the live state: the change stays visible, protection stays on.
    EXPECT_EQ(prefs.chkSaveState.value(), 0);
    EXPECT_TRUE(prefs.PasswordProtectionOn());
    h.main().mnuPreferences.click();
    EXPECT_TRUE(prefs.visible());
}

// Files an administrator has locked: nothing is written or reported; the dialog shows what
// cannot be stored as it is, disabled, with a line saying why (a lock is kept for the run: a
// resume puts it back, seen end to end). The mode is looked at again when the dialog opens.
TEST(PreferencesTest, LockedFilesMakeTheSettingsManaged) {
    // Velkor.ini, password.txt cannot be written.
    const std::pair<bool, bool> cases[] = {{true, false}, {false, true}, {true, true}};
    for (const auto& [settings, password] : cases) {
        SCOPED_TRACE(std::string(settings ? "settings " : "") + (password ? "password" : ""));
        AppHarness h;
        h.Settings(0, 0, 0, 1);
        h.StorePassword("Secret");
        if (settings) h.files.readOnly.insert(h.iniPath());
        if (password) h.files.readOnly.insert(h.passwordPath());
        const std::string before = h.files.content[h.iniPath()];
        h.app.Start();
        h.ClearRecords();
        frmVelkor& w = h.main();
        w.imgCboDrives.select(1);
        w.optLock.click();
        w.cmdDo.click();  // D: locked, and recorded

        frmPreferences& prefs = *h.app.preferences;
        w.mnuPreferences.click();
        EXPECT_TRUE(prefs.lblManaged.visible());
        EXPECT_STREQ(Selected(prefs), "optGerman");
        for (const ui::Control* option : std::initializer_list<const ui::Control*>{
                 &prefs.chkLockAll, &prefs.chkSaveState, &prefs.chkMinimizeToTray, &prefs.chkResume,
                 &prefs.optEnglish, &prefs.optGerman}) {
            EXPECT_EQ(option->enabled(), !settings) << option->name();
        }
        EXPECT_TRUE(prefs.PasswordProtectionOn());
        EXPECT_EQ(prefs.chkPassword.enabled(), !password);
        EXPECT_EQ(prefs.cmdSetPWD.enabled(), !password);
        prefs.cmdApply.click();
        EXPECT_FALSE(prefs.visible());
        EXPECT_EQ(h.Messages(), Texts{});
        if (settings) {
            EXPECT_EQ(h.files.content[h.iniPath()], before);
        }
        EXPECT_EQ(h.Read("Current", "DeviceD"), settings ? "" : "1");

        // The administrator unlocks the files: the next opening offers everything again, and
        // Apply stores.
        h.files.readOnly.clear();
        w.mnuPreferences.click();
        EXPECT_FALSE(prefs.lblManaged.visible());
        EXPECT_TRUE(prefs.chkLockAll.enabled() && prefs.optEnglish.enabled() &&
                    prefs.chkPassword.enabled() && prefs.cmdSetPWD.enabled());
        prefs.cmdApply.click();
        EXPECT_EQ(h.Read("Default", "Minimize"), "0");
        EXPECT_EQ(h.Messages(), Texts{});
    }
}

}  // namespace
}  // namespace velkor
