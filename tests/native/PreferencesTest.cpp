// The preferences dialog: the stored language selected at its load, the language choice
// written at once, the start-up options applied, closing without applying.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using test::AppHarness;

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
        const char* caption;  // of chkAll and cmdApply
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"Language=0\r\n", "optEnglish", "0", "0", {}},
        {"Language=1\r\n", "optGerman", "1", "1", {}},
        {"Language=2\r\n", "optEnglish", "0", "0", {}},  // rewritten; no window shows file 2
        // Nothing selected or written; start-up's caption loading and the dialog's load each
        // tell the user.
        {"", "none", "", "all CD/DVD drives", {"INI-File not found.", "INI-File not found"}},
        {"Language=x\r\n",
         "none",
         "x",
         "all CD/DVD drives",
         {"INI-File not found.", "INI-File not found"}},
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
        EXPECT_EQ(h.main().chkAll.caption(), c.caption);
        EXPECT_EQ(prefs.cmdApply.caption(), c.messages.empty() ? c.caption : "Apply");
        std::vector<std::string> shown;
        for (const MessageBoxRequest& box : h.dialogs.shown) shown.push_back(box.text);
        EXPECT_EQ(shown, c.messages);
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
        h.Settings(0, 0, 0, c.stored);
        h.app.Start();
        h.ClearRecords();
        const std::string before = h.files.content[h.iniPath()];
        (c.unreadable ? h.files.unreadable : h.files.readOnly).insert(h.iniPath());
        frmPreferences& prefs = *h.app.preferences;
        (prefs.*c.click).click();
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        EXPECT_EQ(h.dialogs.last().text.rfind(std::string("Error in Module '") + c.procName, 0),
                  0u);
        EXPECT_NE(h.dialogs.last().text.find("Error Number: 75"), std::string::npos);
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
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.last().text.rfind("Error in Module 'cmdApply_Click()'", 0), 0u);
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

}  // namespace
}  // namespace velkor
