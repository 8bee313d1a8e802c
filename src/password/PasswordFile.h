#pragma once
// The password file: "password.txt" in the program folder, section "Password", key "Password".
// The value is the password enciphered with PWDKey, one byte per character in the system ANSI
// code page; an empty or missing value means that no password is set. Inside the program the
// password is UTF-8, as every text is.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"
#include "platform/Text.h"
#include "profile/IniInOut.h"

namespace velkor {

class PasswordFile {
  public:
    PasswordFile(IniInOut& ini, Files& files, const Text& text)
        : ini_(ini), files_(files), text_(text) {}

    std::string Path() const;

    // The stored (enciphered) value as read; empty when no password is set.
    std::string Stored() const;
    bool IsSet() const { return !Stored().empty(); }
    // Why a file that is there cannot be used (held open by another program, access denied, too
    // large, not text); nothing when it is readable or missing. Such a file protects as a
    // stored password does, and no password matches it.
    std::optional<FileError> Unreadable() const;
    // True when the gate asks: a password is stored, or the file cannot be read (fail closed).
    bool Protects() const { return IsSet() || Unreadable().has_value(); }
    // The stored password, deciphered; empty when none is set.
    std::string Password() const;

    // Whether `password` would read back exactly as typed once stored: at most 63 characters,
    // each one the ANSI code page can hold, and a stored form that the profile routines keep
    // whole (no line break, no blanks or quotes at its ends that reading would drop).
    bool CanStore(std::string_view password) const;
    // Writes `password` enciphered. A file that cannot be written raises 75.
    void Store(std::string_view password);
    // Writes the empty value: no password. A file that cannot be written raises 75.
    void Remove();

  private:
    std::string Enciphered(std::string_view password) const;
    std::string Deciphered(std::string_view stored) const;

    IniInOut& ini_;
    Files& files_;
    const Text& text_;
};

}  // namespace velkor
