// The update check: what each answer of the update server makes the user see, in both
// languages, and what is asked of the server.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using test::AppHarness;
using test::ScriptedHttp;
using Kind = HttpResult::Kind;

// Presses "Check now..." in the preferences dialog, after whatever its loading had to say, and
// returns the one message the user sees.
MessageBoxRequest CheckNow(AppHarness& h) {
    frmPreferences& preferences = *h.app.preferences;
    h.dialogs.shown.clear();
    preferences.cmdCheckUpdate.click();
    EXPECT_EQ(h.dialogs.shown.size(), 1u);  // one message, never a second "no updates"
    return h.dialogs.shown.empty() ? MessageBoxRequest{} : h.dialogs.last();
}

void ExpectBox(const MessageBoxRequest& box, const std::string& text, const std::string& title,
               Icon icon = Icon::Information) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.buttons, Buttons::Ok);
    EXPECT_EQ(box.icon, icon);
}

const std::string kNewer = "newer", kNoUpdates = "no updates";

TEST(UpdateCheckTest, EachAnswerOfTheServerInBothLanguages) {
    struct Case {
        const char* what;
        HttpResult answer;
        std::string english, german;  // kNewer, kNoUpdates, or why the check failed
    };
    const std::string notAVersion[] = {"the answer was not a version number",
                                       "die Antwort war keine Versionsnummer"};
    const std::string refused = "The attempt to connect to the server failed";
    const auto answer = ScriptedHttp::Answer;
    const Case cases[] = {
        {"newer", answer(200, "062"), kNewer, kNewer},
        {"newer, with zeros and a line break", answer(200, "0062\r\n"), kNewer, kNewer},
        {"blanks, and line breaks at the end", answer(200, "  062\n\n"), kNewer, kNewer},
        {"at the cap", answer(200, std::string(4094, '0') + "62"), kNewer, kNewer},
        {"equal", answer(200, "061"), kNoUpdates, kNoUpdates},
        {"older", answer(200, "060"), kNoUpdates, kNoUpdates},
        {"0.5.10 is joined to 510, above 61", answer(200, "0510"), kNewer, kNewer},
        {"2^31 - 1", answer(200, "2147483647"), kNewer, kNewer},
        {"a web page", answer(200, "<HTML><BODY>062</BODY></HTML>"), notAVersion[0],
         notAVersion[1]},
        {"empty", answer(200, ""), notAVersion[0], notAVersion[1]},
        {"not a number", answer(200, "0.6.2"), notAVersion[0], notAVersion[1]},
        {"a line break inside", answer(200, "06\n2"), notAVersion[0], notAVersion[1]},
        {"2^31", answer(200, "2147483648"), notAVersion[0], notAVersion[1]},
        {"over the cap", answer(200, std::string(4095, '0') + "62"), notAVersion[0],
         notAVersion[1]},
        {"a version under an error status", answer(404, "062"), "HTTP status 404",
         "HTTP-Status 404"},
        {"refused", ScriptedHttp::NoAnswer(Kind::Failed, 12029, refused), refused, refused},
        {"a failure without the system's text", ScriptedHttp::NoAnswer(Kind::Failed, 12007, ""),
         "error 12007", "Fehler 12007"},
    };
    for (bool german : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (german ? ", German" : ", English"));
            AppHarness h;
            h.Settings(0, 0, 0, german ? 1 : 0);
            h.http.answers = {c.answer};
            const MessageBoxRequest box = CheckNow(h);
            const std::string& seen = german ? c.german : c.english;
            const char* title = german ? "Updates" : "Nothing to update";
            if (seen == kNewer) {
                ExpectBox(box,
                          german ? "Sie verwenden Version 0.6.1\r\nEs steht allerdings eine neuere "
                                   "Version des Programmes zur Verf\xC3\xBCgung...\r\n\r\nBesuchen "
                                   "sie daher 'velkor.example.org' um die aktuelle Version "
                                   "herunterzuladen."
                                 : "You are currently using version 0.6.1\r\nThere is a newer "
                                   "version of the program available...\r\n\r\nPlease go to "
                                   "'velkor.example.org' to download the latest version.",
                          "Update Information");
            } else if (seen == kNoUpdates) {
                ExpectBox(box,
                          german ? "Zur Zeit ist keine aktuellere Version des Programmes "
                                   "verf\xC3\xBCgbar."
                                 : "There are no updates to the program at this time.",
                          title);
            } else {  // a check that could not be made is never reported as "no updates"
                ExpectBox(box,
                          (german ? "Die Suche nach Updates ist fehlgeschlagen: "
                                  : "The update check failed: ") +
                              seen,
                          title);
            }
            EXPECT_EQ(h.http.requests.size(), 1u);
        }
    }
}

// The path asked for, and a server named in the settings file, are seen end to end against a
// server of the e2e's own. The waits are bounded and the body capped; a time-out names the
// server, in English whatever the language.
TEST(UpdateCheckTest, ATimeOutNamesTheServerAndEveryWaitIsBounded) {
    for (const char* server : {"", " 127.0.0.1:8080 "}) {
        const int language = *server ? 1 : 0;
        SCOPED_TRACE(std::string(server) + ", language " + std::to_string(language));
        AppHarness h;
        h.Settings(0, 0, 0, language);
        if (*server) h.app.ini.WriteIni(h.iniPath(), "Update", "Server", server);
        h.http.answers = {ScriptedHttp::NoAnswer(Kind::TimedOut, 12002, "timed out")};
        const std::string host = *server ? "127.0.0.1:8080" : "velkor.example.org";
        ExpectBox(CheckNow(h), "Timeout during connection to '" + host + "'", "Velkor", Icon::None);
        ASSERT_EQ(h.http.requests.size(), 1u);
        EXPECT_EQ(h.http.requests[0].host, host);
        EXPECT_EQ(h.http.requests[0].timeoutMs, 5000u);
        EXPECT_EQ(h.http.requests[0].maxBody, 4096u);
    }
}

}  // namespace
}  // namespace velkor
