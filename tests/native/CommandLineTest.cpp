// The command line scripts give: every verb, letter forms, "all", "-" and "/", case, and what
// is not a command (each of which changes nothing).
#include "program/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/AppHarness.h"
#include "platform/Messages.h"

namespace velkor {
namespace {

TEST(CommandLineTest, VerbsDrivesAndUsageErrors) {
    using Kind = UsageError::Kind;
    struct Case {
        std::vector<std::string> args;
        std::optional<Command> command;
        std::optional<Kind> error;
        std::string word;  // the word the error names
    };
    const std::string longWord(5000, 'x'), umlaut = std::string("/l\xC3\xB6") + "ck";
    const Case cases[] = {
        {{}, std::nullopt, std::nullopt, ""},  // a start as ever
        {{"/lock", "D:"}, Command{Verb::Lock, "D:"}, std::nullopt, ""},
        {{"-LOCK", "d"}, Command{Verb::Lock, "D:"}, std::nullopt, ""},
        {{"/Unlock", "ALL"}, Command{Verb::Unlock, ""}, std::nullopt, ""},
        {{"/open", "e:"}, Command{Verb::Open, "E:"}, std::nullopt, ""},
        {{"-close", "all"}, Command{Verb::Close, ""}, std::nullopt, ""},
        {{"/STATUS"}, Command{Verb::Status, ""}, std::nullopt, ""},
        {{"-exit"}, Command{Verb::Exit, ""}, std::nullopt, ""},
        {{"/?"}, Command{Verb::Help, ""}, std::nullopt, ""},
        {{"/lock"}, std::nullopt, Kind::DriveMissing, "/lock"},
        {{"/lock", "D:", "E:"}, std::nullopt, Kind::Unexpected, "E:"},
        {{"/status", "D:"}, std::nullopt, Kind::Unexpected, "D:"},
        {{"/lock", "/unlock"}, std::nullopt, Kind::NotADrive, "/unlock"},
        {{"/lock", "DD"}, std::nullopt, Kind::NotADrive, "DD"},
        {{"/lock", "D:\\"}, std::nullopt, Kind::NotADrive, "D:\\"},
        {{"/lock", "1"}, std::nullopt, Kind::NotADrive, "1"},
        {{"/lock", "\xC3\x84:"}, std::nullopt, Kind::NotADrive, "\xC3\x84:"},
        {{"/lock", longWord}, std::nullopt, Kind::NotADrive, longWord},
        {{"lock", "D:"}, std::nullopt, Kind::UnknownOption, "lock"},
        {{"/"}, std::nullopt, Kind::UnknownOption, "/"},
        {{umlaut}, std::nullopt, Kind::UnknownOption, umlaut},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args[0].substr(0, 20);
        EXPECT_EQ(parsed.command, c.command) << shown;
        EXPECT_EQ(parsed.error ? std::optional(parsed.error->kind) : std::nullopt, c.error)
            << shown;
        EXPECT_EQ(parsed.error ? parsed.error->word : "", c.word) << shown;
        // What the running copy is handed reads back as the same command.
        if (c.command) {
            EXPECT_EQ(Decode(Encode(*c.command)), c.command) << Encode(*c.command);
        }
    }
    EXPECT_EQ(Describe({Kind::NotADrive, "DD"}, true).rfind("\"DD\" ist kein", 0), 0u);
}

// A command handed over as a command process does, run through the window's own paths; started
// with D: and E: locked, no password unless the case stores one.
TEST(CommandLineTest, ACommandRunsAsThePopUpMenuEntryWouldAndAnswersWithItsOutcome) {
    using test::AppHarness;
    struct Case {
        const char* line;
        std::function<void(AppHarness&)> before;  // may be empty
        int code;
        const char* out;
        const char* err;  // the start of it
        const char* requests;
        const char* recordE;
        const char* box = "";  // the person saw; the command's own messages are in its answer
    };
    // A password stored; the prompt, when it comes, answered with `typed` (Cancel when empty).
    const auto password = [](std::string typed) {
        return [typed](AppHarness& h) {
            h.StorePassword("pw");
            h.app.preferences->chkPassword.setValue(1);
            if (typed != "-") {
                h.AnswerPrompt(600, typed.empty() ? std::nullopt : std::optional(typed));
            }
        };
    };
    const Case cases[] = {
        {"unlock E:", nullptr, 0, "E: unlocked\r\n", "", "-E", "0"},
        {"unlock all", password("pw"), 0, "D: unlocked\r\nE: unlocked\r\n", "", "-D -E", "0"},
        {"unlock D:", password(""), 1, "", "Sorry, a password is required", "", "1"},
        {"lock all", password("-"), 0, "D: locked\r\nE: locked\r\n", "", "", "1"},
        {"status", nullptr, 0, "D: locked\r\nE: locked\r\n", "", "", "1"},
        {"close F:", nullptr, 3, "", "F: is not an optical drive.", "", "1"},
        {"unlock E:",
         [](AppHarness& h) {
             h.device.failures["E:"] = {false, 5, "Access is denied."};
         },
         2, "E: locked\r\n", "E: could not be unlocked: Access is denied.", "-E", "0"},
        {"unlock E:",  // while an action of the window waits for its prompt
         [&](AppHarness& h) {
             password("")(h);
             h.loop.at(100, [&h] { h.main().mnuUnlockAll.click(); });
         },
         1, "", "Velkor is busy", "", "1", "Sorry, a password is required for this action."},
        {"unlock all",  // a slip first: the person who typed it is told, not the script
         [&](AppHarness& h) {
             password("Pw")(h);
             h.AnswerPrompt(1600, "pw");
         },
         0, "D: unlocked\r\nE: unlocked\r\n", "", "-D -E", "0", "Invalid Password, try again!"},
        {"exit", password("pw"), 0, "D: unlocked\r\nE: unlocked\r\n", "", "-D -E", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        AppHarness h;
        h.Launch(1, 0);
        if (c.before) c.before(h);
        const std::string request = EncodeRequest({77, c.line});
        const CopyData data{kCommandTag, static_cast<uint32_t>(request.size()), request.data()};
        h.loop.at(200, [&] {
            EXPECT_EQ(h.main().windowProcs().dispatch(
                          {msg::kCopyData, 0, reinterpret_cast<intptr_t>(&data)}),
                      1);  // taken at once
        });
        h.loop.runUntil(3000);
        ASSERT_EQ(h.reply.sent.size(), 1u);
        const CommandAnswer& answer = h.reply.sent[0].second;
        EXPECT_EQ(h.reply.sent[0].first, 77u);
        EXPECT_EQ(answer.code, c.code);
        EXPECT_EQ(answer.out, c.out);
        const std::string err = c.err;  // the start of it; none at all when empty
        EXPECT_EQ(err.empty() ? answer.err : answer.err.substr(0, err.size()), err);
        EXPECT_EQ(h.Requests(), c.requests);
        EXPECT_EQ(h.Read("Current", "DeviceE"), c.recordE);  // as the pop-up menu records it
        EXPECT_EQ(h.Messages(),
                  *c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        EXPECT_EQ(h.app.ended(), std::string(c.line) == "exit");
    }
}

// With no copy running the command runs alone: no start-up unlock, no policy, no window; the
// status is the record's, and says so.
TEST(CommandLineTest, WithNoCopyRunningTheCommandRunsAlone) {
    test::AppHarness h;
    h.Settings(1, 0, 0, 0, "DeviceD=1\r\nDeviceE=0\r\n");
    CommandAnswer status = h.app.RunCommandAlone({Verb::Status, ""});
    EXPECT_EQ(status.out, "D: locked\r\nE: unlocked\r\n");
    EXPECT_EQ(status.err.rfind("Velkor is not running", 0), 0u);
    test::AppHarness g;
    g.Settings(0, 0);
    CommandAnswer lock = g.app.RunCommandAlone({Verb::Lock, "E:"});
    EXPECT_EQ(lock.code, 0);
    EXPECT_EQ(g.Requests(), "+E");
    EXPECT_EQ(g.Read("Current", "DeviceE"), "1");
    EXPECT_FALSE(g.app.mainWindow.loaded());
    EXPECT_TRUE(g.dialogs.shown.empty());
    // A guarded command where nobody sees a prompt is refused at once, and says why.
    g.StorePassword("pw");
    CommandAnswer unlock = g.app.RunCommandAlone({Verb::Unlock, "E:"}, false);
    EXPECT_EQ(unlock.code, 1);
    EXPECT_EQ(unlock.err.rfind("This action needs the password", 0), 0u) << unlock.err;
    EXPECT_EQ(g.Requests(), "+E");
}

}  // namespace
}  // namespace velkor
