#pragma once
// The program's own texts that are not captions, in English and German, in one table. "%1",
// "%2" stand for the values a text names (a drive, a file, a reason).
#include <initializer_list>
#include <string>
#include <string_view>

namespace velkor {

enum class Msg {
    ExitQuestion,
    ExitTitle,
    Busy,
    PasswordRequired,
    PromptExplanation,
    InvalidPassword,
    NoPasswordGiven,
    CannotStorePassword,
    PasswordFileUnreadable,
    CouldNotLock,
    CouldNotUnlock,
    Donation,
    NewerVersion,
    NoUpdatesTitle,
    NoUpdates,
    CheckFailed,
    CheckFailedTitle,
    NotAVersion,
    HttpStatus,
    ErrorNumber,
    NotAServer,
    RedirectUnusable,
    RedirectOtherHost,
    RedirectTooMany,
    Checking,
    Usage,
    UnknownOption,
    DriveMissing,
    NotADrive,
    Unexpected,
    NotOptical,
    Unreachable,
    NoAnswer,
    FromRecord,
    Opened,
    Closed,
    NobodyToAsk,
    VersionBoxName,
    DonationBoxName,
    DonationPictureName,
};

// The text in German or English, each "%n" replaced by the n-th of `values`.
std::string Say(Msg id, bool german, std::initializer_list<std::string_view> values = {});

}  // namespace velkor
