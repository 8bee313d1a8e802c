#include "win32/CommandMain.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "program/Messages.h"
#include "win32/CommandTransport.h"
#include "win32/ConsoleOutput.h"
#include "win32/SystemDll.h"
#include "win32/Utf.h"

namespace velkor::win32 {

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> args;
    // A plain start has nothing after the program's name: the shell's DLL is not loaded for it.
    const wchar_t* line = GetCommandLineW();
    const bool quoted = *line == L'"';
    for (line += quoted ? 1 : 0; *line && (quoted ? *line != L'"' : *line != L' '); ++line) {
    }
    if (quoted && *line) ++line;
    while (*line == L' ' || *line == L'\t') ++line;
    if (!*line) return args;
    std::string failure;
    auto* split = ShellDll().Find<decltype(CommandLineToArgvW)>("CommandLineToArgvW", failure);
    int count = 0;
    wchar_t** words = split ? split(GetCommandLineW(), &count) : nullptr;
    for (int i = 1; words && i < count; ++i) args.push_back(Narrow(words[i]));
    if (words) LocalFree(words);
    return args;
}

bool OnUsersDesktop() {
    USEROBJECTFLAGS flags{};
    return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                     nullptr) &&
           (flags.dwFlags & WSF_VISIBLE);
}

int RunCommandProcess(const ParsedCommandLine& parsed, bool german,
                      const std::function<CommandAnswer(const Command&)>& alone) {
    auto finish = [](const CommandAnswer& answer) {
        // Each text ends its last line, as a console program's do.
        for (const auto& [text, print] :
             {std::pair{&answer.out, &PrintOut}, std::pair{&answer.err, &PrintError}}) {
            if (!text->empty()) print(text->ends_with("\n") ? *text : *text + "\r\n");
        }
        return answer.code;
    };
    if (parsed.error) {
        return finish({static_cast<int>(Outcome::Usage), "", Describe(*parsed.error, german)});
    }
    const Command& command = *parsed.command;
    if (command.verb == Verb::Help) {
        return finish({static_cast<int>(Outcome::Done), Say(Msg::Usage, german), ""});
    }
    // A copy that is still starting (its start-up may wait for the password) is waited for.
    HWND copy = FindRunningCopy();
    for (DWORD waited = 0; !copy && waited < kTakeMs && CopyRunsOnMachine(); waited += 100) {
        Sleep(100);
        copy = FindRunningCopy();
    }
    if (copy) {
        const bool prompts = command.verb != Verb::Lock && command.verb != Verb::Status;
        if (auto answer = SendCommand(copy, Encode(command), kTakeMs,
                                      prompts ? kPromptAnswerMs : kAnswerMs)) {
            return finish(*answer);
        }
        const unsigned long seconds = (prompts ? kPromptAnswerMs : kAnswerMs) / 1000;
        return finish({static_cast<int>(Outcome::Unreachable), "",
                       Say(Msg::NoAnswer, german, {std::to_string(seconds)})});
    }
    // Running, but not here (another user's session): never act behind its back.
    if (CopyRunsOnMachine()) {
        return finish({static_cast<int>(Outcome::Unreachable), "", Say(Msg::Unreachable, german)});
    }
    return finish(alone(command));
}

}  // namespace velkor::win32
