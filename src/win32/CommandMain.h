#pragma once
// A start with a command line from a script: the command goes to the running copy, or runs
// alone when none runs; its texts are printed and its outcome is the exit code.
#include <functional>
#include <string>
#include <vector>

#include "platform/CommandReply.h"
#include "program/CommandLine.h"

namespace velkor::win32 {

// The program's arguments, UTF-8 (any characters, whatever the code page).
std::vector<std::string> ProgramArguments();

// How long a command process waits: for the running copy to take the command, and for its
// answer (a prompt waits for a person, so the guarded verbs wait longer).
inline constexpr unsigned long kTakeMs = 5000;
inline constexpr unsigned long kAnswerMs = 30000;
inline constexpr unsigned long kPromptAnswerMs = 10 * 60 * 1000;

// Whether the process runs on a window station a person sees (not a service's or a task's that
// runs without the user's desktop).
bool OnUsersDesktop();

// Carries out `parsed` (a command or a usage error) and prints what it says; the exit code.
// `alone` runs a command in this process when no copy runs.
int RunCommandProcess(const ParsedCommandLine& parsed, bool german,
                      const std::function<CommandAnswer(const Command&)>& alone);

}  // namespace velkor::win32
