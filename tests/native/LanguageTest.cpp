// Captions from the language files: the whole table, missing keys and files, an unreadable
// language number, the switch while the program runs, texts chosen by language, and the
// language files the program is delivered with.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "fakes/AppHarness.h"
#include "settings/Language.h"

namespace velkor {
namespace {

using test::AppHarness;

// The caption one row of the language file sets, read back from the program.
template <auto slot, auto member>
const std::string& Control(App& app) {
    return ((app.*slot).get().*member).caption();
}
template <auto slot>
const std::string& Window(App& app) {
    return (app.*slot).get().caption();
}

struct Row {
    const char* section;
    const char* key;
    const std::string& (*caption)(App& app);
};

const Row kTable[] = {
    {"Main", "chkAll", Control<&App::mainWindow, &frmVelkor::chkAll>},
    {"Main", "optLock", Control<&App::mainWindow, &frmVelkor::optLock>},
    {"Main", "optUnlock", Control<&App::mainWindow, &frmVelkor::optUnlock>},
    {"Main", "optOpen", Control<&App::mainWindow, &frmVelkor::optOpen>},
    {"Main", "optClose", Control<&App::mainWindow, &frmVelkor::optClose>},
    {"MenuMain", "mnuLockAll", Control<&App::mainWindow, &frmVelkor::mnuLockAll>},
    {"MenuMain", "mnuUnlockAll", Control<&App::mainWindow, &frmVelkor::mnuUnlockAll>},
    {"MenuMain", "mnuOpenAll", Control<&App::mainWindow, &frmVelkor::mnuOpenAll>},
    {"MenuMain", "mnuCloseAll", Control<&App::mainWindow, &frmVelkor::mnuCloseAll>},
    {"MenuMain", "mnuLock", Control<&App::mainWindow, &frmVelkor::mnuLock>},
    {"MenuMain", "mnuUnlock", Control<&App::mainWindow, &frmVelkor::mnuUnlock>},
    {"MenuMain", "mnuOpen", Control<&App::mainWindow, &frmVelkor::mnuOpen>},
    {"MenuMain", "mnuClose", Control<&App::mainWindow, &frmVelkor::mnuClose>},
    {"MenuMain", "mnuShow", Control<&App::mainWindow, &frmVelkor::mnuShow>},
    {"MenuMain", "mnuExit", Control<&App::mainWindow, &frmVelkor::mnuExit>},
    {"MenuMain", "mnuExit2", Control<&App::mainWindow, &frmVelkor::mnuExit2>},
    {"MenuMain", "mnuFile", Control<&App::mainWindow, &frmVelkor::mnuFile>},
    {"MenuMain", "mnuEdit", Control<&App::mainWindow, &frmVelkor::mnuEdit>},
    {"MenuMain", "mnuPreferences", Control<&App::mainWindow, &frmVelkor::mnuPreferences>},
    {"MenuMain", "mnuHelp", Control<&App::mainWindow, &frmVelkor::mnuHelp>},
    {"MenuMain", "mnuAbout", Control<&App::mainWindow, &frmVelkor::mnuAbout>},
    {"Preferences", "frmPreferences", Window<&App::preferences>},
    {"Preferences", "frmLanguage", Control<&App::preferences, &frmPreferences::frmLanguage>},
    {"Preferences", "chkMinimizeToTray",
     Control<&App::preferences, &frmPreferences::chkMinimizeToTray>},
    {"Preferences", "chkSaveState", Control<&App::preferences, &frmPreferences::chkSaveState>},
    {"Preferences", "chkLockAll", Control<&App::preferences, &frmPreferences::chkLockAll>},
    {"Preferences", "chkResume", Control<&App::preferences, &frmPreferences::chkResume>},
    {"Preferences", "cmdApply", Control<&App::preferences, &frmPreferences::cmdApply>},
    {"Preferences", "chkPassword", Control<&App::preferences, &frmPreferences::chkPassword>},
    {"Preferences", "cmdSetPassword", Control<&App::preferences, &frmPreferences::cmdSetPWD>},
    {"Preferences", "cmdCheckUpdate", Control<&App::preferences, &frmPreferences::cmdCheckUpdate>},
    {"SetPassword", "frmSetPWD", Window<&App::setPassword>},
    {"SetPassword", "lblPasswordOld", Control<&App::setPassword, &frmSetPWD::lblPasswordOld>},
    {"SetPassword", "lblPasswordNew", Control<&App::setPassword, &frmSetPWD::lblPasswordNew>},
    {"SetPassword", "lblPasswordNew2", Control<&App::setPassword, &frmSetPWD::lblPasswordNew2>},
    {"CheckPassword", "cmdCancel", Control<&App::setPassword, &frmSetPWD::cmdCancel>},
    {"CheckPassword", "frmCheckPWD", Window<&App::checkPassword>},
    {"CheckPassword", "cmdCancel", Control<&App::checkPassword, &frmCheckPWD::cmdCancel>},
    {"CheckPassword", "lblPassword", Control<&App::checkPassword, &frmCheckPWD::lblPassword>},
};
constexpr size_t kFirstPasswordDialogRow = 31;  // the rows of the two password dialogs follow

std::string Id(const Row& row) {
    return std::string(row.section) + "." + row.key;
}

// A language file in Windows-1252 with every key of the table (but `omit`), each value `prefix`
// followed by section and key, and keys that look right but must not be used.
std::string LanguageFile(const std::string& prefix, const std::string& omit = "") {
    std::string text, section;
    std::set<std::string> written;
    for (const Row& row : kTable) {
        if (row.section != section) {
            section = row.section;
            text += "[" + section + "]\r\n";
            if (section == "Preferences") text += "cmdSetPWD=wrong\r\n";
            if (section == "SetPassword") text += "cmdCancel=wrong\r\n";
        }
        if (Id(row) == omit || !written.insert(Id(row)).second) continue;
        text += std::string(row.key) + "=" + test::Cp1252Text().ToAnsi(prefix + Id(row)) + "\r\n";
    }
    return text;
}

// Every row from `first` on shows the caption of a file made by LanguageFile(prefix).
void ExpectCaptions(App& app, const std::string& prefix, size_t first = 0) {
    for (size_t i = first; i < std::size(kTable); ++i) {
        EXPECT_EQ(kTable[i].caption(app), prefix + Id(kTable[i])) << "row " << i + 1;
    }
}

TEST(LanguageFileTest, EveryKeyLandsOnItsControlAndAMissingOneEmptiesItsCaption) {
    const std::string a = "\xC3\x84:";  // Ä, one byte in the file
    struct Case {
        const char* what;
        bool file;
        std::string omit;
    };
    const Case cases[] = {
        {"every key", true, ""},
        {"a key missing", true, "Preferences.chkResume"},
        {"the shared Cancel key missing: both Cancel buttons", true, "CheckPassword.cmdCancel"},
        {"no language file", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppHarness h;
        if (c.file) h.files.content[h.files.path("Language_1.txt")] = LanguageFile(a, c.omit);
        h.Settings(0, 0, 0, 1);
        h.app.Start();
        EXPECT_TRUE(h.dialogs.shown.empty());
        for (const Row& row : kTable) {
            const bool empty = !c.file || Id(row) == c.omit;
            EXPECT_EQ(row.caption(h.app), empty ? "" : a + Id(row)) << Id(row);
        }
        // Start-up loaded the dialogs, hidden.
        EXPECT_FALSE(h.app.preferences->visible());
        ASSERT_TRUE(h.app.setPassword.loaded() && h.app.checkPassword.loaded());
        EXPECT_FALSE(h.app.setPassword->visible() || h.app.checkPassword->visible());
        // What no language file sets keeps its own caption.
        EXPECT_EQ(h.main().caption(), "Velkor");
        EXPECT_EQ(h.main().cmdDo.caption(), "OK");
        EXPECT_EQ(h.app.preferences->optEnglish.caption(), "English");
        EXPECT_EQ(h.app.preferences->optGerman.caption(), "Deutsch");
        EXPECT_EQ(h.app.preferences->frmUpdate.caption(), "Updates");
        EXPECT_EQ(h.app.setPassword->cmdOK.caption(), "OK");
        EXPECT_EQ(h.app.checkPassword->cmdOK.caption(), "OK");
    }
}

TEST(LanguageTest, ChosenLanguageReachesHiddenDialogsAndEveryLaterOpening) {
    AppHarness h;
    h.files.content[h.files.path("Language_0.txt")] = LanguageFile("E:");
    h.files.content[h.files.path("Language_1.txt")] = LanguageFile("D:");
    h.Settings(0, 0);
    h.app.Start();
    ExpectCaptions(h.app, "E:");
    h.app.setPassword.unload();  // as after a use: the switch loads them again, hidden
    h.app.checkPassword.unload();

    h.app.preferences->optGerman.click();  // the preferences dialog itself is hidden
    EXPECT_EQ(h.Read("Language", "Language"), "1");
    EXPECT_FALSE(h.app.setPassword->visible());
    ExpectCaptions(h.app, "D:");

    // Unloaded after a use, the password dialogs come back in the language stored then.
    h.app.setPassword.unload();
    h.app.checkPassword.unload();
    ExpectCaptions(h.app, "D:", kFirstPasswordDialogRow);
    h.files.content[h.iniPath()] = "[Default]\r\nDelay=0\r\n";  // no language: English
    h.app.setPassword.unload();
    h.app.checkPassword.unload();
    ExpectCaptions(h.app, "E:", kFirstPasswordDialogRow);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(LanguageTest, DialogsLoadedForTheirCaptionsStartAfreshWhenOpened) {
    AppHarness h;
    h.StorePassword("Secret");
    h.Settings(1, 0);
    h.app.Start();  // loads the set-password dialog, hidden, while a password is stored
    h.AnswerPrompt(500, "Secret");
    h.app.preferences->chkPassword.click();  // removes the password
    ASSERT_EQ(h.app.passwordFile.Password(), "");
    h.app.preferences->chkPassword.click();  // asks for a new one
    frmSetPWD& dialog = *h.app.setPassword;
    EXPECT_TRUE(dialog.visible());
    EXPECT_FALSE(dialog.PWDExists);
    EXPECT_FALSE(dialog.txtPasswordOld.enabled());
}

// Every message, the password prompt and the exit question share one rule: German for language
// 1, English for any other number and for a missing or unreadable one.
TEST(LanguageTextsTest, MessagesAreGermanOnlyForLanguageOne) {
    struct Case {
        const char* line;  // the "Language" line of the settings file
        bool german;
    };
    const Case cases[] = {{"Language=1\r\n", true},  {"Language=0\r\n", false},
                          {"Language=2\r\n", false}, {"", false},
                          {"Language=x\r\n", false}, {"Language=99999\r\n", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        AppHarness h;
        h.Settings(1, 0);  // locks all at start-up, which asks for no password
        h.StorePassword("Secret");
        h.app.Start();
        h.files.content[h.iniPath()] = std::string("[Language]\r\n") + c.line;
        h.ClearRecords();
        std::string explanation;
        h.loop.at(500, [&] { explanation = h.app.checkPassword->lblPWD.caption(); });
        h.AnswerPrompt(600, "wrong");
        h.AnswerPrompt(700, std::nullopt);
        h.main().mnuUnlockAll.click();  // a wrong password, then Cancel: refused
        h.dialogs.answers = {Answer::Cancel};
        h.main().mnuExit2.click();
        EXPECT_EQ(explanation.rfind(c.german ? "Diese Aktion" : "This action", 0), 0u)
            << explanation;
        ASSERT_EQ(h.dialogs.shown.size(), 3u);
        EXPECT_EQ(h.dialogs.shown[0].text,
                  c.german ? "Ung\xC3\xBCltiges Passwort, bitte noch einmal neu versuchen!"
                           : "Invalid Password, try again!");
        EXPECT_EQ(h.dialogs.shown[1].text,
                  c.german ? "Sorry, f\xC3\xBCr diese Aktion wird ein Password gebraucht."
                           : "Sorry, a password is required for this action.");
        EXPECT_EQ(h.dialogs.shown[2].title, c.german ? "Velkor beenden" : "Exit Velkor");
    }
}

#ifdef VELKOR_SOURCE_DIR

// The access key of a caption: the character after a single "&" (ASCII letters lower-cased);
// empty when there is none.
std::string AccessKey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&' || caption[++i] == '&') continue;  // "&&" is a plain "&"
        size_t length = 1;                                       // the key's bytes in UTF-8
        while (i + length < caption.size() &&
               (static_cast<unsigned char>(caption[i + length]) & 0xC0) == 0x80) {
            ++length;
        }
        std::string key = caption.substr(i, length);
        if (length == 1) key[0] = static_cast<char>(std::tolower(key[0]));
        return key;
    }
    return {};
}

void ExpectDistinctAccessKeys(const std::string& where, const std::vector<std::string>& captions) {
    std::map<std::string, std::string> seen;
    for (const std::string& caption : captions) {
        const std::string key = AccessKey(caption);
        if (key.empty()) continue;
        auto [found, added] = seen.emplace(key, caption);
        EXPECT_TRUE(added) << where << ": \"" << caption << "\" and \"" << found->second << "\"";
    }
}

void ExpectDistinctInMenus(const ui::Menu& menu) {
    std::vector<std::string> captions;
    for (const ui::Menu::Child& child : menu.children()) {
        if (child.item) {
            captions.push_back(child.item->caption());
            ExpectDistinctInMenus(*child.item);
        } else {
            for (const ui::Menu* element : child.array->elements()) {
                captions.push_back(element->caption());
            }
        }
    }
    ExpectDistinctAccessKeys(menu.name(), captions);
}

void ExpectDistinctInWindow(const ui::Form& form) {
    std::vector<std::string> captions;
    for (const ui::Control* control : form.controls()) {
        if (control->visible()) captions.push_back(control->caption());
    }
    for (const ui::Menu* top : form.menus()) {
        if (top->visible()) captions.push_back(top->caption());  // the menu bar
        ExpectDistinctInMenus(*top);
    }
    ExpectDistinctAccessKeys(form.name(), captions);
}

TEST(DeliveredLanguageFilesTest, EveryCaptionInWindows1252WithDistinctAccessKeys) {
    for (int language : {0, 1}) {
        const std::string name = "Language_" + std::to_string(language) + ".txt";
        SCOPED_TRACE(name);
        std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/dist/" + name, std::ios::binary);
        std::stringstream read;
        read << in.rdbuf();
        const std::string bytes = read.str();
        ASSERT_FALSE(bytes.empty());

        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            ASSERT_TRUE(!line.empty() && line.back() == '\r') << "no CRLF: " << line;
            // Values longer than 63 characters would be cut when read; UTF-8 would show as
            // two characters each.
            const size_t equals = line.find('=');
            if (equals != std::string::npos) {
                EXPECT_LE(line.size() - equals - 2, 63u) << line;
            }
            for (size_t i = 0; i + 1 < line.size(); ++i) {
                const auto lead = static_cast<unsigned char>(line[i]);
                const auto next = static_cast<unsigned char>(line[i + 1]);
                EXPECT_FALSE(lead >= 0xC2 && lead <= 0xF4 && (next & 0xC0) == 0x80) << line;
            }
        }

        AppHarness h;
        h.files.content[h.files.path(name)] = bytes;
        h.Settings(0, 0, 0, language);
        h.app.Start();
        EXPECT_TRUE(h.dialogs.shown.empty());
        for (const Row& row : kTable) EXPECT_NE(row.caption(h.app), "") << Id(row);
        ExpectDistinctInWindow(h.main());
        ExpectDistinctInWindow(*h.app.preferences);
        ExpectDistinctInWindow(*h.app.setPassword);
        ExpectDistinctInWindow(*h.app.checkPassword);
    }
}

#endif

}  // namespace
}  // namespace velkor
