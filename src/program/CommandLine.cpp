#include "program/CommandLine.h"

#include <array>
#include <utility>

namespace velkor {
namespace {

constexpr std::array<std::pair<Verb, std::string_view>, 7> kVerbs{{
    {Verb::Lock, "lock"},
    {Verb::Unlock, "unlock"},
    {Verb::Open, "open"},
    {Verb::Close, "close"},
    {Verb::Status, "status"},
    {Verb::Exit, "exit"},
    {Verb::Help, "?"},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool TakesDrive(Verb verb) {
    return verb == Verb::Lock || verb == Verb::Unlock || verb == Verb::Open || verb == Verb::Close;
}

// "D", "d:", "all": the drive string "D:", or "" for all; nothing when it is neither.
std::optional<std::string> DriveArgument(std::string_view text) {
    const std::string lower = Lower(text);
    if (lower == "all") return std::string();
    const bool letter = !lower.empty() && lower[0] >= 'a' && lower[0] <= 'z';
    if (letter && (lower.size() == 1 || (lower.size() == 2 && lower[1] == ':'))) {
        return std::string{static_cast<char>(lower[0] - 'a' + 'A'), ':'};
    }
    return std::nullopt;
}

std::optional<Verb> VerbOf(std::string_view word) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return std::nullopt;
    const std::string name = Lower(word.substr(1));
    for (const auto& [verb, text] : kVerbs) {
        if (name == text) return verb;
    }
    return std::nullopt;
}

}  // namespace

std::string_view VerbName(Verb verb) {
    for (const auto& [known, text] : kVerbs) {
        if (known == verb) return text;
    }
    return "?";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return {};
    const std::optional<Verb> verb = VerbOf(args[0]);
    using Kind = UsageError::Kind;
    if (!verb) return {std::nullopt, UsageError{Kind::UnknownOption, args[0]}};
    Command command{*verb, {}};
    size_t used = 1;
    if (TakesDrive(*verb)) {
        if (args.size() < 2) return {std::nullopt, UsageError{Kind::DriveMissing, args[0]}};
        const std::optional<std::string> drive = DriveArgument(args[1]);
        if (!drive) return {std::nullopt, UsageError{Kind::NotADrive, args[1]}};
        command.drive = *drive;
        used = 2;
    }
    if (args.size() > used) return {std::nullopt, UsageError{Kind::Unexpected, args[used]}};
    return {command, std::nullopt};
}

std::string Describe(const UsageError& error, bool german) {
    constexpr Msg kTexts[] = {Msg::UnknownOption, Msg::DriveMissing, Msg::NotADrive,
                              Msg::Unexpected};
    return Say(kTexts[static_cast<int>(error.kind)], german, {error.word}) + "\r\n" +
           Say(Msg::Usage, german);
}

std::string Encode(const Command& command) {
    std::string line(VerbName(command.verb));
    if (TakesDrive(command.verb)) line += " " + (command.drive.empty() ? "all" : command.drive);
    return line;
}

std::optional<Command> Decode(std::string_view line) {
    std::vector<std::string> args;
    size_t space = line.find(' ');
    args.push_back("/" + std::string(line.substr(0, space)));
    if (space != std::string_view::npos) args.emplace_back(line.substr(space + 1));
    return ParseCommandLine(args).command;
}

}  // namespace velkor
