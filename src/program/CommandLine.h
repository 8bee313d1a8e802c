#pragma once
// The command line a script gives Velkor: one verb, and a drive where the verb acts on drives.
//   /lock D: | all, /unlock, /open, /close (the same), /status, /exit, /?
// Verbs are case-insensitive and may start with "-" instead of "/"; a drive is a letter with or
// without its colon, or "all". Parsed here, without the system; whether a letter is an optical
// drive is the running program's to judge.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/Messages.h"

namespace velkor {

enum class Verb { Lock, Unlock, Open, Close, Status, Exit, Help };

struct Command {
    Verb verb = Verb::Help;
    std::string drive;  // "D:"; empty for every optical drive, and for the verbs without a drive
    bool operator==(const Command&) const = default;
};

// What a command ends with; the numbers are the process's exit codes.
enum class Outcome {
    Done = 0,
    Refused = 1,      // wrong password, prompt cancelled, busy with another action, nobody to ask
    Failed = 2,       // a drive refused the request or went away
    Usage = 3,        // not a command Velkor knows; nothing was changed
    Unreachable = 4,  // the running copy cannot be reached or gave no answer in time
};

// Arguments that are no command: which rule they broke, and the word that broke it.
struct UsageError {
    enum class Kind { UnknownOption, DriveMissing, NotADrive, Unexpected } kind;
    std::string word;
};

struct ParsedCommandLine {
    std::optional<Command> command;  // nothing without arguments: the program starts as ever
    std::optional<UsageError> error;
};

// `args` without the program's own name, UTF-8.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The error in the program's language.
std::string Describe(const UsageError& error, bool german);
// The verb's own word ("lock", ...).
std::string_view VerbName(Verb verb);
// A command as one line of text, the way it is handed to the running copy ("lock D:"), and back.
std::string Encode(const Command& command);
std::optional<Command> Decode(std::string_view line);

}  // namespace velkor
