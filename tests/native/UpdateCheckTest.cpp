// The update check: what each answer of the update server makes the user see, in both
// languages, and what is asked of the server.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"
#include "program/Messages.h"

namespace velkor {
namespace {

using test::AppHarness;
using S = test::ScriptedHttp;

// Presses "Check now..." in the preferences dialog, after whatever its loading had to say, and
// returns the one message the user sees.
MessageBoxRequest CheckNow(AppHarness& h) {
    frmPreferences& preferences = *h.app.preferences;
    h.dialogs.shown.clear();
    preferences.cmdCheckUpdate.click();
    EXPECT_EQ(h.dialogs.shown.size(), 1u);  // one message, never a second "no updates"
    return h.dialogs.shown.empty() ? MessageBoxRequest{} : h.dialogs.last();
}

TEST(UpdateCheckTest, EachAnswerOfTheServerInBothLanguages) {
    struct Case {
        const char* what;
        S::Scripted answer;
        Msg told;  // newer, no updates, or why the check failed (CheckFailed: `value` says why)
        std::string value;
    };
    const std::string refused = "The attempt to connect to the server failed";
    const auto failed = HttpResult::Kind::Failed;
    const Case cases[] = {
        {"newer, with zeros and a line break", S::Answer(200, "0062\r\n"), Msg::NewerVersion},
        {"blanks, and line breaks at the end", S::Answer(200, "  062\n\n"), Msg::NewerVersion},
        {"at the cap", S::Answer(200, std::string(4094, '0') + "62"), Msg::NewerVersion},
        {"equal", S::Answer(200, "061"), Msg::NoUpdates},
        {"older", S::Answer(200, "060"), Msg::NoUpdates},
        {"0.5.10 is joined to 510, above 61", S::Answer(200, "0510"), Msg::NewerVersion},
        {"2^31 - 1", S::Answer(200, "2147483647"), Msg::NewerVersion},
        {"empty", S::Answer(200, ""), Msg::NotAVersion},
        {"not a number", S::Answer(200, "0.6.2"), Msg::NotAVersion},
        {"a line break inside", S::Answer(200, "06\n2"), Msg::NotAVersion},
        {"2^31", S::Answer(200, "2147483648"), Msg::NotAVersion},
        {"over the cap", S::Answer(200, std::string(4095, '0') + "62"), Msg::NotAVersion},
        {"a version under an error status", S::Answer(404, "062"), Msg::HttpStatus, "404"},
        {"refused", S::NoAnswer(failed, 12029, refused), Msg::CheckFailed, refused},
        {"no system text", S::NoAnswer(failed, 12007, ""), Msg::ErrorNumber, "12007"},
    };
    for (bool german : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (german ? ", German" : ", English"));
            AppHarness h;
            h.Settings(0, 0, 0, german ? 1 : 0);
            h.http.answers = {c.answer};
            const MessageBoxRequest box = CheckNow(h);
            std::string text, title;
            if (c.told == Msg::NewerVersion) {
                text = Say(Msg::NewerVersion, german, {"0.6.1", "velkor.example.org"});
                title = "Update Information";
            } else if (c.told == Msg::NoUpdates) {
                text = Say(Msg::NoUpdates, german);
                title = Say(Msg::NoUpdatesTitle, german);
            } else {  // a check that could not be made is never reported as "no updates"
                const std::string why =
                    c.told == Msg::CheckFailed ? c.value : Say(c.told, german, {c.value});
                text = Say(Msg::CheckFailed, german, {why});
                title = Say(Msg::CheckFailedTitle, german);
            }
            EXPECT_EQ(box.text, text);
            EXPECT_EQ(box.title, title);
            EXPECT_EQ(box.buttons, Buttons::Ok);
            EXPECT_EQ(box.icon, Icon::Information);
            EXPECT_EQ(h.http.requests.size(), 1u);
        }
    }
}

std::string Url(const HttpTarget& t) {
    return (t.secure ? "https://" : "http://") + t.host + ":" + std::to_string(t.port) + t.path;
}

// The server setting, redirects and the time the whole check may take: what is asked of the
// server, and what the user is told (a failed check says why, a time-out names the server).
// While a check waits, the button says so and takes no second check. (The program going on
// meanwhile, and Exit ending it all, are seen end to end.)
TEST(UpdateCheckTest, ServersRedirectsAndTheTimeTheCheckMayTake) {
    const std::vector<S::Scripted> current = {S::Answer(200, "061")};
    const std::string first = "http://velkor.example.org:80/Velkor_CurrentVersion.txt";
    const std::string again = "http://velkor.example.org:80/again.txt";
    const std::string noUpdates = "There are no updates to the program at this time.";
    const std::string timeout = "Timeout during connection to 'velkor.example.org'";
    auto failed = [](const std::string& why) {
        return "The update check failed: " + why;
    };
    auto notAServer = [&](const std::string& server) {
        return failed("the server \"" + server +
                      "\" is not a host name with an optional port (1 to 65535)");
    };
    struct Case {
        const char* server;
        std::vector<S::Scripted> answers;
        std::vector<std::string> asked;
        std::string told;
        uint64_t tookMs = 0;
    };
    const Case cases[] = {
        {"[::1]:8080", current, {"http://::1:8080/Velkor_CurrentVersion.txt"}, noUpdates},
        {"[::1]", current, {"http://::1:80/Velkor_CurrentVersion.txt"}, noUpdates},
        {"host:0", {}, {}, notAServer("host:0")},
        {"host:65536", {}, {}, notAServer("host:65536")},
        {"host:8o", {}, {}, notAServer("host:8o")},
        {"host:", {}, {}, notAServer("host:")},
        {"fe80::1:8080", {}, {}, notAServer("fe80::1:8080")},
        {"[::1]8080", {}, {}, notAServer("[::1]8080")},
        {"",
         {S::Redirect(301, "https://VELKOR.example.org/v.txt"), S::Redirect(302, "/new.txt"),
          S::Answer(200, "061")},
         {first, "https://VELKOR.example.org:443/v.txt", "https://VELKOR.example.org:443/new.txt"},
         noUpdates},
        {"",
         {S::Redirect(302, "http://evil.example.com/Velkor_CurrentVersion.txt")},
         {first},
         failed("the server redirected to another host (evil.example.com)")},
        {"",
         {S::Redirect(302, "mailto:x@velkor.example.org")},
         {first},
         failed("the server redirected to an address that cannot be used "
                "(mailto:x@velkor.example.org)")},
        {"",
         std::vector<S::Scripted>(6, S::Redirect(307, "/again.txt")),
         {first, again, again, again, again, again},
         failed("the server redirected too many times")},
        {"", {S::NoAnswer(HttpResult::Kind::Failed, 0, "", S::kNever)}, {first}, timeout, 15000},
        {"",  // each answer in time, all of them not
         std::vector<S::Scripted>(4, S::Redirect(302, "/Velkor_CurrentVersion.txt", 4000)),
         {first, first, first, first},
         timeout,
         15000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.server) + " " + c.told);
        AppHarness h;
        h.Settings(0, 0);
        if (*c.server) h.app.ini.WriteIni(h.iniPath(), "Update", "Server", c.server);
        h.http.answers.assign(c.answers.begin(), c.answers.end());
        frmPreferences& preferences = *h.app.preferences;
        int pressedAgain = 0;
        h.loop.at(1000, [&] {  // only while a check waits
            ++pressedAgain;
            EXPECT_FALSE(preferences.cmdCheckUpdate.enabled());
            EXPECT_EQ(preferences.cmdCheckUpdate.caption(), "Checking...");
            preferences.cmdCheckUpdate_Click();  // a second press: nothing
        });
        EXPECT_EQ(CheckNow(h).text, c.told);
        EXPECT_EQ(pressedAgain, c.tookMs > 1000 ? 1 : 0);
        std::vector<std::string> asked;
        for (const auto& r : h.http.requests) {
            asked.push_back(Url(r.target));
            EXPECT_EQ(r.stepMs, 5000u);
            EXPECT_LE(r.totalMs, 15000u);
            EXPECT_EQ(r.maxBody, 4096u);
        }
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(h.loop.now(), c.tookMs);
    }
}

}  // namespace
}  // namespace velkor
