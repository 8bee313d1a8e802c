// Commands from scripts: handed over by a command process as a window message, answered at once
// and run between the user's steps through the same paths as the pop-up menu's entries. Nothing
// is shown for a command but the password prompt: what a message box would say goes into the
// answer instead.
#include "forms/Language.h"
#include "forms/main/frmVelkor.h"
#include "forms/preferences/frmPreferences.h"
#include "password/PasswordFile.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "program/ManagedSettings.h"
#include "program/Messages.h"
#include "program/Session.h"
#include "program/SettingsFile.h"

namespace velkor {
namespace {

constexpr uint32_t kLongestRequest = 4096;  // a command line is a few words

}  // namespace

std::optional<intptr_t> frmVelkor::CommandWindowProc(const ui::WindowMessage& m) {
    if (m.message != msg::kCopyData || m.lParam == 0) return std::nullopt;
    const auto* data = reinterpret_cast<const CopyData*>(m.lParam);
    if (data->tag != kCommandTag) return std::nullopt;
    if (data->size > kLongestRequest || (data->size > 0 && !data->data)) return 0;
    const auto request =
        DecodeRequest(std::string_view(static_cast<const char*>(data->data), data->size));
    if (!request) return 0;  // not taken: the command process says so
    commands_.push_back(*request);
    TimerCommand.setEnabled(true);
    return 1;  // taken: the answer follows when the command has run
}

void frmVelkor::TimerCommand_Timer() {
    TimerCommand.setEnabled(false);
    while (!commands_.empty() && !use_.session.ended()) {
        const CommandRequest request = commands_.front();
        commands_.erase(commands_.begin());
        const std::optional<Command> command = Decode(request.line);
        const CommandAnswer answer =
            command ? RunCommand(*command)
                    : CommandAnswer{static_cast<int>(Outcome::Usage), "",
                                    Say(Msg::Usage, use_.session.GermanTexts())};
        use_.reply.Send(request.replyWindow, answer);
        // Exit that went through unlocked every drive (a failed one is reported, as File > Exit
        // does): the program ends once its answer is on its way.
        if (command && command->verb == Verb::Exit &&
            answer.code != static_cast<int>(Outcome::Refused)) {
            use_.session.End();
        }
    }
}

std::string frmVelkor::StateLines(int entry, bool recorded) const {
    std::string lines;
    for (int k = 1; k <= drives.count(); ++k) {
        if (entry != 0 && k != entry) continue;
        const bool locked = recorded ? driveControl_.RecordedLocked(k) : drives.at(k).locked;
        lines += drives.at(k).letter + (locked ? " locked" : " unlocked") + "\r\n";
    }
    return lines;
}

CommandAnswer frmVelkor::RunCommand(const Command& command) {
    const bool german = use_.session.GermanTexts();
    auto answer = [](Outcome outcome, std::string out, std::string err = {}) {
        return CommandAnswer{static_cast<int>(outcome), std::move(out), std::move(err)};
    };
    if (command.verb == Verb::Help) return answer(Outcome::Done, Say(Msg::Usage, german));
    if (command.verb == Verb::Status) {
        // Without a running copy the record is all there is to tell, and it is said so.
        return answer(Outcome::Done, StateLines(0, use_.session.commandOnly()),
                      use_.session.commandOnly() ? Say(Msg::FromRecord, german, {strIniFile}) : "");
    }
    int entry = 0;
    for (int k = 1; k <= drives.count() && !command.drive.empty(); ++k) {
        if (drives.at(k).letter == command.drive) entry = k;
    }
    if (!command.drive.empty() && entry == 0) {
        return answer(Outcome::Usage, "", Say(Msg::NotOptical, german, {command.drive}));
    }
    if (use_.session.actions().busy() || use_.session.boxOpen()) {
        return answer(Outcome::Refused, "", Say(Msg::Busy, german));
    }
    CommandAnswer result = answer(Outcome::Refused, "", Say(Msg::Busy, german));
    use_.session.actions().TryRun([&] {
        std::string told;  // what message boxes would have said
        use_.session.CaptureBoxes(&told);
        struct Release {
            Session& session;
            ~Release() { session.CaptureBoxes(nullptr); }
        } release{use_.session};
        bool ran = true;
        if (command.verb == Verb::Exit) {
            blnRecordState = false;  // the record keeps what the next start restores
            chkAll.setValue(1);
            optUnlock.select();
            ran = RunRequest();
            blnRecordState = !ran;
        } else {
            if (drives.count() > 0) imgCboDrives.select(entry == 0 ? 1 : entry);
            chkAll.setValue(entry == 0 ? 1 : 0);
            chkAll_Click();
            ui::OptionButton* const options[] = {&optLock, &optUnlock, &optOpen, &optClose};
            const Verb verbs[] = {Verb::Lock, Verb::Unlock, Verb::Open, Verb::Close};
            for (int i = 0; i < 4; ++i) {
                if (verbs[i] == command.verb) SelectAction(*options[i], static_cast<Action>(i + 1));
            }
            ran = RunRequest();
            chkAll.setValue(0);
            blnAllDrives = false;
        }
        std::string out;
        if (ran && (command.verb == Verb::Open || command.verb == Verb::Close)) {
            for (int k = 1; k <= drives.count(); ++k) {
                if (entry != 0 && k != entry) continue;
                out += Say(command.verb == Verb::Open ? Msg::Opened : Msg::Closed, german,
                           {drives.at(k).letter}) +
                       "\r\n";
            }
        } else if (ran) {
            out = StateLines(entry, false);
        }
        result = answer(!ran           ? Outcome::Refused
                        : told.empty() ? Outcome::Done
                                       : Outcome::Failed,
                        out, told);
    });
    return result;
}

// A run for one command, with no copy running: the settings, the language, the password switch
// and the drive list, nothing more (no unlock of every drive, no start-up policy, no icon).
void frmVelkor::LoadForCommand() {
    strIniFile = SettingsFile(use_.files);
    use_.managed.Decide();
    use_.captions.LoadLanguage(strIniFile);
    use_.preferences->chkPassword.setValue(use_.passwordFile.Protects() ? 1 : 0);
    BuildDriveList();
    if (drives.count() > 0) imgCboDrives.select(1);
    blnRecordState = true;
}

}  // namespace velkor
