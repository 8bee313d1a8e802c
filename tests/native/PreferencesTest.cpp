// The preferences dialog: the stored language selected at its load, the language choice
// written at once, the start-up options applied, closing without applying.
#include <gtest/gtest.h>

#include <initializer_list>

#include "fakes/AppHarness.h"

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

TEST(PreferencesTest, LoadSelectsTheStoredLanguageAndWritesItBack) {
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
        h.files.content[h.iniPath()] =
            std::string("[Default]\r\nDelay=0\r\n[Language]\r\n") + c.line;
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
    }
}

TEST(PreferencesTest, FailedLanguageWriteIsReportedAndTheOptionsShowTheStoredOne) {
    struct Case {
        int stored;
        bool unreadable;  // the settings file cannot even be read
        ui::OptionButton frmPreferences::*click;
        const char* procName;
        const char* selected;
    };
    const Case cases[] = {
        {0, false, &frmPreferences::optGerman, "optGerman_Click()", "optEnglish"},
        {1, false, &frmPreferences::optEnglish, "optEnglish_Click()", "optGerman"},
        {0, true, &frmPreferences::optGerman, "optGerman_Click()", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procName);
        AppHarness h;
        LanguageFiles(h);
        h.Launch(0, 0, c.stored);
        const std::string before = h.files.content[h.iniPath()];
        (c.unreadable ? h.files.unreadable : h.files.readOnly).insert(h.iniPath());
        frmPreferences& prefs = *h.app.preferences;
        (prefs.*c.click).click();
        EXPECT_EQ(h.Messages(), Texts{AppHarness::WriteFailure(
                                    c.procName, c.unreadable ? "The process cannot access the file."
                                                             : "Access is denied.")});
        EXPECT_STREQ(Selected(prefs), c.selected);
        EXPECT_EQ(h.files.content[h.iniPath()], before);
        EXPECT_EQ(h.main().chkAll.caption(), std::to_string(c.stored));  // captions unchanged
    }
}

TEST(PreferencesTest, ApplyWritesTheFourOptionsInOrderThenHides) {
    AppHarness h;
    h.files.content[h.iniPath()] = "[Language]\r\nLanguage=1\r\n";
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
    const std::string& file = h.files.content[h.iniPath()];
    EXPECT_NE(
        file.find("[Default]\r\nMinimize=1\r\nUseLastState=1\r\nDeviceAll=1\r\nStandby=0\r\n"),
        std::string::npos)
        << file;
    EXPECT_EQ(h.Read("Language", "Language"), "1");

    prefs.chkSaveState.click();
    EXPECT_TRUE(prefs.chkLockAll.enabled());
}

TEST(PreferencesTest, ClosingTheWindowHidesItWithoutApplying) {
    AppHarness h;
    h.Settings(1, 0);
    h.StorePassword("Secret");
    h.app.Start();
    frmPreferences& prefs = *h.app.preferences;
    h.main().mnuPreferences.click();
    prefs.chkLockAll.click();
    const std::string before = h.files.content[h.iniPath()];
    prefs.CloseCommand();  // close box, Alt+F4 or Escape
    EXPECT_FALSE(prefs.visible());
    ASSERT_TRUE(h.app.preferences.loaded());
    EXPECT_EQ(h.files.content[h.iniPath()], before);
    // The boxes keep the live state: the change stays visible, protection stays on.
    EXPECT_EQ(prefs.chkLockAll.value(), 0);
    EXPECT_TRUE(prefs.PasswordProtectionOn());
    h.main().mnuPreferences.click();
    EXPECT_TRUE(prefs.visible());
}

// Files an administrator has locked: nothing is written or reported; the dialog shows what
// cannot be stored as it is, disabled, with a line saying why (a lock is kept for the run: a
// resume puts it back, seen end to end). The mode is looked at again when the dialog opens.
TEST(PreferencesTest, LockedFilesMakeTheSettingsManaged) {
    struct Case {
        bool settings;  // Velkor.ini cannot be written
        bool password;  // password.txt cannot be written
    };
    for (const Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(std::string(c.settings ? "settings " : "") + (c.password ? "password" : ""));
        AppHarness h;
        h.Settings(0, 0, 0, 1);
        h.StorePassword("Secret");
        if (c.settings) h.files.readOnly.insert(h.iniPath());
        if (c.password) h.files.readOnly.insert(h.passwordPath());
        const std::string settings = h.files.content[h.iniPath()];
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
            EXPECT_EQ(option->enabled(), !c.settings) << option->name();
        }
        EXPECT_TRUE(prefs.PasswordProtectionOn());
        EXPECT_EQ(prefs.chkPassword.enabled(), !c.password);
        EXPECT_EQ(prefs.cmdSetPWD.enabled(), !c.password);
        prefs.cmdApply.click();
        EXPECT_FALSE(prefs.visible());
        EXPECT_EQ(h.Messages(), Texts{});
        if (c.settings) {
            EXPECT_EQ(h.files.content[h.iniPath()], settings);
        }
        EXPECT_EQ(h.Read("Current", "DeviceD"), c.settings ? "" : "1");

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
