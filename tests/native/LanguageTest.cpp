// Captions from the language files: every key on its control, what a file lacks, the switch
// while the program runs, texts chosen by language, and the language files the program is
// delivered with.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "fakes/AppHarness.h"
#include "forms/Language.h"

namespace velkor {
namespace {

using test::AppHarness;

#ifdef VELKOR_SOURCE_DIR

std::string Delivered(const std::string& name) {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/dist/" + name, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    return read.str();
}

// A key of the delivered English file and its caption there.
struct Key {
    std::string section, key, english;
    std::string id() const { return section + "." + key; }
};

std::vector<Key> EnglishKeys() {
    std::vector<Key> keys;
    std::istringstream lines(Delivered("Language_0.txt"));
    std::string section;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind('[', 0) == 0) section = line.substr(1, line.size() - 2);
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            keys.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
        }
    }
    return keys;
}

const ui::Menu* MenuNamed(const ui::Menu& menu, const std::string& name) {
    if (menu.name() == name) return &menu;
    for (const ui::Menu::Child& child : menu.children()) {
        if (!child.item) continue;
        if (const ui::Menu* found = MenuNamed(*child.item, name)) return found;
    }
    return nullptr;
}

// The caption a key sets: the control, menu or title of the window its section names, named as
// the key, but for the button cmdSetPWD, whose key is "cmdSetPassword".
std::string CaptionOf(const ui::Form& form, std::string name) {
    if (name == form.name()) return form.caption();
    if (name == "cmdSetPassword") name = "cmdSetPWD";
    for (const ui::Control* control : form.controls()) {
        if (control->name() == name) return control->caption();
    }
    for (const ui::Menu* top : form.menus()) {
        if (const ui::Menu* menu = MenuNamed(*top, name)) return menu->caption();
    }
    return "<no control " + name + " in " + form.name() + ">";
}

// Every window a key reaches: "cmdCancel" of "CheckPassword" serves both password dialogs.
std::vector<const ui::Form*> WindowsOf(App& app, const Key& key) {
    if (key.section == "Main" || key.section == "MenuMain") return {&*app.mainWindow};
    if (key.section == "Preferences") return {&*app.preferences};
    if (key.section == "SetPassword") return {&*app.setPassword};
    if (key.key == "cmdCancel") return {&*app.checkPassword, &*app.setPassword};
    return {&*app.checkPassword};
}

// A language file with every key but `omit`, each value `prefix` followed by section and key,
// `tail` lines added to the last section.
std::string LanguageFile(const std::string& prefix, const std::string& omit = "",
                         const std::string& tail = "") {
    std::string text, section;
    for (const Key& key : EnglishKeys()) {
        if (key.section != section) {
            section = key.section;
            text += "[" + section + "]\r\n";
            // Keys that look right but must not be used.
            if (section == "Preferences") text += "cmdSetPWD=wrong\r\n";
            if (section == "SetPassword") text += "cmdCancel=wrong\r\n";
        }
        if (key.id() == omit) continue;
        text += key.key + "=" + test::Cp1252Text().ToAnsi(prefix + key.id()) + "\r\n";
    }
    return text + tail;
}

// Every caption from a file made by LanguageFile(prefix), and the English caption of the keys
// in `english`.
void ExpectCaptions(App& app, const std::string& prefix, const std::set<std::string>& english = {},
                    const std::string& firstSection = "Main") {
    bool reached = false;
    for (const Key& key : EnglishKeys()) {
        reached = reached || key.section == firstSection;
        if (!reached) continue;
        const std::string wanted = english.count(key.id()) ? key.english : prefix + key.id();
        for (const ui::Form* form : WindowsOf(app, key)) {
            EXPECT_EQ(CaptionOf(*form, key.key), wanted) << form->name() << " " << key.id();
        }
    }
}

TEST(LanguageFileTest, EveryKeyLandsOnItsControlAndWhatTheFileLacksIsEnglish) {
    const std::string a = "\xC3\x84:";  // Ä, one byte in the file
    std::set<std::string> everyKey;
    for (const Key& key : EnglishKeys()) everyKey.insert(key.id());
    ASSERT_EQ(everyKey.size(), 38u);  // 39 captions: one key serves both Cancel buttons
    struct Case {
        const char* what;
        bool file;
        std::string omit, tail;
        std::set<std::string> english;
        std::string empty;  // a key present with no value
    };
    const Case cases[] = {
        {"every key", true, "", "", {}, ""},
        {"a key missing", true, "Preferences.chkResume", "", {"Preferences.chkResume"}, ""},
        {"the shared Cancel key missing: both Cancel buttons",
         true,
         "CheckPassword.cmdCancel",
         "",
         {"CheckPassword.cmdCancel"},
         ""},
        {"a present key with no value stays empty",
         true,
         "CheckPassword.lblPassword",
         "lblPassword=\r\n",
         {},
         "CheckPassword.lblPassword"},
        {"a menu entry is never made a separator",
         true,
         "MenuMain.mnuExit2",
         "[MenuMain]\r\nmnuExit2=-\r\n",
         {"MenuMain.mnuExit2"},
         ""},
        {"no language file", false, "", "", everyKey, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppHarness h;
        if (c.file) {
            h.files.content[h.files.path("Language_1.txt")] = LanguageFile(a, c.omit, c.tail);
        }
        h.Settings(0, 0, 0, 1);
        h.app.Start();
        EXPECT_TRUE(h.dialogs.shown.empty());
        if (c.empty.empty()) {
            ExpectCaptions(h.app, a, c.english);
        } else {
            EXPECT_EQ(h.app.checkPassword->lblPassword.caption(), "");
        }
        // Start-up loaded the dialogs, hidden.
        EXPECT_FALSE(h.app.preferences->visible());
        ASSERT_TRUE(h.app.setPassword.loaded() && h.app.checkPassword.loaded());
        EXPECT_FALSE(h.app.setPassword->visible() || h.app.checkPassword->visible());
        // What no language file sets keeps its own caption.
        EXPECT_EQ(h.main().caption(), "Velkor");
        EXPECT_EQ(h.main().cmdDo.caption(), "OK");
        EXPECT_EQ(h.app.preferences->optGerman.caption(), "Deutsch");
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
    ExpectCaptions(h.app, "D:", {}, "SetPassword");
    h.files.content[h.iniPath()] = "[Default]\r\nDelay=0\r\n";  // no language: English
    h.app.setPassword.unload();
    h.app.checkPassword.unload();
    ExpectCaptions(h.app, "E:", {}, "SetPassword");
    EXPECT_TRUE(h.dialogs.shown.empty());
}

#endif

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
        const std::string bytes = Delivered(name);
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
        for (const Key& key : EnglishKeys()) {
            EXPECT_NE(CaptionOf(*WindowsOf(h.app, key).front(), key.key), "") << key.id();
        }
        ExpectDistinctInWindow(h.main());
        ExpectDistinctInWindow(*h.app.preferences);
        ExpectDistinctInWindow(*h.app.setPassword);
        ExpectDistinctInWindow(*h.app.checkPassword);
    }
}

#endif

}  // namespace
}  // namespace velkor
