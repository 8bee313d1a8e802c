// Captions from the language files: every key on its control, what a file lacks, the switch
// while the program runs, and the language files the program is delivered with.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using test::AppHarness;

#ifdef VELKOR_SOURCE_DIR

std::string Delivered(const std::string& name) {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/dist/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
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
        if (equals == std::string::npos) continue;
        keys.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
    }
    return keys;
}

// The captions of a window by name (its title under the window's name), and the groups of
// captions whose access keys must differ: the window's visible controls and menu bar, and the
// entries of each menu.
struct Captions {
    std::map<std::string, std::string> byName;
    std::vector<std::vector<std::string>> groups;
};

void AddMenu(Captions& out, const ui::Menu& menu) {
    out.byName[menu.name()] = menu.caption();
    std::vector<std::string> entries;
    for (const ui::Menu::Child& child : menu.children()) {
        if (child.item) {
            entries.push_back(child.item->caption());
            AddMenu(out, *child.item);
        } else {
            for (const ui::Menu* element : child.array->elements()) {
                entries.push_back(element->caption());
            }
        }
    }
    out.groups.push_back(entries);
}

Captions CaptionsOf(const ui::Form& form) {
    Captions out;
    out.byName[form.name()] = form.caption();
    std::vector<std::string> window;
    for (const ui::Control* control : form.controls()) {
        out.byName[control->name()] = control->caption();
        if (control->visible()) window.push_back(control->caption());
    }
    for (const ui::Menu* top : form.menus()) {
        if (top->visible()) window.push_back(top->caption());  // the menu bar
        AddMenu(out, *top);
    }
    out.groups.push_back(window);
    return out;
}

// The caption a key sets: the key names its control, menu or window, but the button cmdSetPWD
// has the key "cmdSetPassword".
std::string CaptionOf(const ui::Form& form, const std::string& key) {
    const auto names = CaptionsOf(form).byName;
    const auto found = names.find(key == "cmdSetPassword" ? "cmdSetPWD" : key);
    return found == names.end() ? "<no control " + key + " in " + form.name() + ">" : found->second;
}

// Every window a key reaches: "cmdCancel" of "CheckPassword" serves both password dialogs.
std::vector<const ui::Form*> WindowsOf(App& app, const Key& key) {
    if (key.section == "Main" || key.section == "MenuMain") return {&*app.mainWindow};
    if (key.section == "Preferences") return {&*app.preferences};
    if (key.section == "SetPassword") return {&*app.setPassword};
    if (key.key == "cmdCancel") return {&*app.checkPassword, &*app.setPassword};
    return {&*app.checkPassword};
}

// A language file with every key, each value `prefix` followed by section and key; but the key
// `odd` has the value `oddValue`, or is left out when there is none.
std::string LanguageFile(const std::string& prefix, const std::string& odd = "",
                         const std::optional<std::string>& oddValue = std::nullopt) {
    std::string text, section;
    for (const Key& key : EnglishKeys()) {
        if (key.section != section) {
            section = key.section;
            text += "[" + section + "]\r\n";
            // Keys that look right but must not be used.
            if (section == "Preferences") text += "cmdSetPWD=wrong\r\n";
            if (section == "SetPassword") text += "cmdCancel=wrong\r\n";
        }
        if (key.id() != odd) {
            text += key.key + "=" + test::Cp1252Text().ToAnsi(prefix + key.id()) + "\r\n";
        } else if (oddValue) {
            text += key.key + "=" + *oddValue + "\r\n";
        }
    }
    return text;
}

// Expects the caption of every key from section `from` on: `prefix` and the key, as
// LanguageFile(prefix) has it, but `odd` ("*": every key) shows `oddShows` (its English caption
// when none).
void ExpectCaptions(App& app, const std::string& prefix, const std::string& from = "Main",
                    const std::string& odd = "", const char* oddShows = nullptr) {
    bool reached = false;
    for (const Key& key : EnglishKeys()) {
        reached = reached || key.section == from;
        if (!reached) continue;
        std::string wanted = prefix + key.id();
        if (key.id() == odd || odd == "*") wanted = oddShows ? oddShows : key.english;
        for (const ui::Form* form : WindowsOf(app, key)) {
            EXPECT_EQ(CaptionOf(*form, key.key), wanted) << form->name() << " " << key.id();
        }
    }
}

TEST(LanguageFileTest, EveryKeyLandsOnItsControlAndWhatTheFileLacksIsEnglish) {
    const std::string a = "\xC3\x84:";     // Ä, one byte in the file
    ASSERT_EQ(EnglishKeys().size(), 40u);  // 41 captions: one key serves both Cancel buttons
    struct Case {
        const char* what;
        std::string odd;                   // "*": no language file at all
        std::optional<std::string> value;  // of `odd` in the file; none: left out
        const char* shows;                 // `odd`; its English caption when none
    };
    const Case cases[] = {
        {"every key", "", std::nullopt, nullptr},
        {"the shared Cancel key missing: both", "CheckPassword.cmdCancel", std::nullopt, nullptr},
        {"a key with no value stays empty", "CheckPassword.lblPassword", "", ""},
        {"a menu entry is never made a separator", "MenuMain.mnuExit2", "-", nullptr},
        {"no language file", "*", std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppHarness h;
        if (c.odd != "*") {
            h.files.content[h.files.path("Language_1.txt")] = LanguageFile(a, c.odd, c.value);
        }
        h.Settings(0, 0, 0, 1);
        h.app.Start();
        EXPECT_TRUE(h.dialogs.shown.empty());
        ExpectCaptions(h.app, a, "Main", c.odd, c.shows);
        EXPECT_FALSE(h.app.preferences->visible());  // start-up loaded it, hidden
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
    auto unloadPasswordDialogs = [&] {  // as after a use: the next touch loads them again
        h.app.setPassword.unload();
        h.app.checkPassword.unload();
    };
    unloadPasswordDialogs();
    h.app.preferences->optGerman.click();  // the preferences dialog itself is hidden
    EXPECT_EQ(h.Read("Language", "Language"), "1");
    EXPECT_FALSE(h.app.setPassword->visible());
    ExpectCaptions(h.app, "D:");

    // Unloaded after a use, the password dialogs come back in the language stored then.
    unloadPasswordDialogs();
    ExpectCaptions(h.app, "D:", "SetPassword");
    h.files.content[h.iniPath()] = "[Default]\r\nDelay=0\r\n";  // no language: English
    unloadPasswordDialogs();
    ExpectCaptions(h.app, "E:", "SetPassword");
    EXPECT_TRUE(h.dialogs.shown.empty());
}

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
            EXPECT_TRUE(equals == std::string::npos || line.size() - equals - 2 <= 63) << line;
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
        for (const ui::Form* form : std::initializer_list<const ui::Form*>{
                 &h.main(), &*h.app.preferences, &*h.app.setPassword, &*h.app.checkPassword}) {
            for (const auto& group : CaptionsOf(*form).groups) {
                std::map<std::string, std::string> seen;  // access key -> caption
                for (const std::string& caption : group) {
                    const std::string key = AccessKey(caption);
                    auto [found, added] = seen.emplace(key, caption);
                    EXPECT_TRUE(key.empty() || added) << form->name() << ": \"" << caption
                                                      << "\" and \"" << found->second << "\"";
                }
            }
        }
    }
}

#endif

}  // namespace
}  // namespace velkor
