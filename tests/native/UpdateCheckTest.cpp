// The update check: what each answer of the update server makes the user see, in both
// languages, and what is asked of the server.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"
#include "settings/AutoUpdate.h"

namespace velkor {
namespace {

using test::AppHarness;
using test::ScriptedHttp;
using Kind = HttpResult::Kind;

// What the user sees at the end of a check, in one language.
enum class Seen { Newer, NoUpdates, NotAVersion, Timeout, Refused, Status404 };

MessageBoxRequest Expected(Seen seen, bool german) {
    const char* failedTitle = german ? "Updates" : "Nothing to update";
    const std::string failed =
        german ? "Die Suche nach Updates ist fehlgeschlagen: " : "The update check failed: ";
    switch (seen) {
        case Seen::Newer:
            return {german ? "Sie verwenden Version 0.6.1\r\nEs steht allerdings eine neuere "
                             "Version des Programmes zur Verf\xC3\xBCgung...\r\n\r\nBesuchen sie "
                             "daher 'velkor.example.org' um die aktuelle Version herunterzuladen."
                           : "You are currently using version 0.6.1\r\nThere is a newer version "
                             "of the program available...\r\n\r\nPlease go to "
                             "'velkor.example.org' to download the latest version.",
                    "Update Information", Buttons::Ok, Icon::Information};
        case Seen::NoUpdates:
            return {german ? "Zur Zeit ist keine aktuellere Version des Programmes "
                             "verf\xC3\xBCgbar."
                           : "There are no updates to the program at this time.",
                    failedTitle, Buttons::Ok, Icon::Information};
        case Seen::NotAVersion:
            return {failed + (german ? "die Antwort war keine Versionsnummer"
                                     : "the answer was not a version number"),
                    failedTitle, Buttons::Ok, Icon::Information};
        case Seen::Timeout:
            return {"Timeout during connection to 'velkor.example.org'", "Velkor", Buttons::Ok,
                    Icon::None};
        case Seen::Refused:
            return {failed + "The attempt to connect to the server failed", failedTitle,
                    Buttons::Ok, Icon::Information};
        case Seen::Status404:
            return {failed + (german ? "HTTP-Status 404" : "HTTP status 404"), failedTitle,
                    Buttons::Ok, Icon::Information};
    }
    return {};
}

// Presses "Check now..." in the preferences dialog, after whatever its loading had to say.
void CheckNow(AppHarness& h) {
    frmPreferences& preferences = *h.app.preferences;
    h.dialogs.shown.clear();
    preferences.cmdCheckUpdate.click();
}

void ExpectBoxes(const AppHarness& h, const MessageBoxRequest& expected) {
    ASSERT_EQ(h.dialogs.shown.size(), 1u);  // one message, never a second "no updates"
    const MessageBoxRequest& box = h.dialogs.last();
    EXPECT_EQ(box.text, expected.text);
    EXPECT_EQ(box.title, expected.title);
    EXPECT_EQ(box.buttons, expected.buttons);
    EXPECT_EQ(box.icon, expected.icon);
}

TEST(UpdateCheckTest, EachAnswerOfTheServerInBothLanguages) {
    struct Case {
        const char* what;
        HttpResult answer;
        Seen seen;
    };
    const Case cases[] = {
        {"newer", ScriptedHttp::Answer(200, "062"), Seen::Newer},
        {"newer, with zeros and a line break", ScriptedHttp::Answer(200, "0062\r\n"), Seen::Newer},
        {"at the cap", ScriptedHttp::Answer(200, std::string(4094, '0') + "62"), Seen::Newer},
        {"equal", ScriptedHttp::Answer(200, "061"), Seen::NoUpdates},
        {"older", ScriptedHttp::Answer(200, "060"), Seen::NoUpdates},
        {"0.5.10 is joined to 510, above 61", ScriptedHttp::Answer(200, "0510"), Seen::Newer},
        {"a web page", ScriptedHttp::Answer(200, "<HTML><BODY>062</BODY></HTML>"),
         Seen::NotAVersion},
        {"empty", ScriptedHttp::Answer(200, ""), Seen::NotAVersion},
        {"not a number", ScriptedHttp::Answer(200, "0.6.2"), Seen::NotAVersion},
        {"2^31", ScriptedHttp::Answer(200, "2147483648"), Seen::NotAVersion},
        {"over the cap", ScriptedHttp::Answer(200, std::string(4095, '0') + "62"),
         Seen::NotAVersion},
        {"a version under an error status", ScriptedHttp::Answer(404, "062"), Seen::Status404},
        {"time-out", ScriptedHttp::NoAnswer(Kind::TimedOut, 12002, "The operation timed out"),
         Seen::Timeout},
        {"refused",
         ScriptedHttp::NoAnswer(Kind::Failed, 12029, "The attempt to connect to the server failed"),
         Seen::Refused},
    };
    for (int language : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + ", language " + std::to_string(language));
            AppHarness h;
            h.Settings(0, 0, 0, language);
            h.http.answers = {c.answer};
            CheckNow(h);
            ExpectBoxes(h, Expected(c.seen, language == 1));
            EXPECT_EQ(h.http.requests.size(), 1u);
        }
    }
}

TEST(UpdateCheckTest, AsksForTheVersionFileWithBoundedWaitsAndACappedBody) {
    AppHarness h;
    h.Settings(0, 0);
    h.http.answers = {ScriptedHttp::Answer(200, "061")};
    EXPECT_EQ(h.app.preferences->CheckForUpdates(), UpdateCheck::NoNewer);
    ASSERT_EQ(h.http.requests.size(), 1u);
    const ScriptedHttp::Request& r = h.http.requests[0];
    EXPECT_EQ(r.host, "velkor.example.org");
    EXPECT_EQ(r.path, "/Velkor_CurrentVersion.txt");
    EXPECT_EQ(r.timeoutMs, 5000u);
    EXPECT_EQ(r.maxBody, 4096u);
    EXPECT_TRUE(h.dialogs.shown.empty());  // the button handler tells; the check did not
}

TEST(UpdateCheckTest, TheSettingsFileCanPointAtAnotherServer) {
    AppHarness h;
    h.Settings(0, 0);
    h.app.ini.WriteIni(h.iniPath(), "Update", "Server", " 127.0.0.1:8080 ");
    h.http.answers = {ScriptedHttp::NoAnswer(Kind::TimedOut, 12002, "")};
    CheckNow(h);
    EXPECT_EQ(h.http.requests.at(0).host, "127.0.0.1:8080");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.last().text, "Timeout during connection to '127.0.0.1:8080'");
}

TEST(UpdateCheckTest, AMissingOrNonNumericLanguageMeansEnglish) {
    for (const char* language : {"", "x", "2"}) {
        SCOPED_TRACE(std::string("language \"") + language + "\"");
        AppHarness h;
        h.files.content[h.iniPath()] = std::string("[Language]\r\nLanguage=") + language + "\r\n";
        h.http.answers = {ScriptedHttp::Answer(200, "062")};
        CheckNow(h);
        ExpectBoxes(h, Expected(Seen::Newer, false));
    }
}

TEST(UpdateCheckTest, AFailureWithoutTheSystemsTextNamesItsCode) {
    AppHarness h;
    h.Settings(0, 0);
    h.http.answers = {ScriptedHttp::NoAnswer(Kind::Failed, 12007, "")};
    CheckNow(h);
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.last().text, "The update check failed: error 12007");
}

TEST(VersionFileTest, OnlyA32BitNumberFreeOfHtmlIsAVersion) {
    using K = VersionFile::Kind;
    struct Case {
        const char* body;
        K kind;
        int32_t number = 0;
    };
    const Case cases[] = {
        {"061", K::Number, 61},   {"  7\n\n", K::Number, 7},
        {"-5", K::Number, -5},    {"2147483647", K::Number, 2147483647},
        {"", K::Ignored},         {"062 HTML", K::Ignored},
        {"\r\n", K::NotANumber},  {"<html>062</html>", K::NotANumber},
        {"06\n2", K::NotANumber}, {"-2147483649", K::NotANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const VersionFile file = ParseVersionFile(c.body);
        EXPECT_EQ(file.kind, c.kind);
        EXPECT_EQ(file.number, c.number);
    }
    EXPECT_EQ(RunningVersionNumber(), 61);
}

}  // namespace
}  // namespace velkor
