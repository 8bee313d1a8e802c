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

// One reading of the password file: the stored password, or why the file cannot be used.
struct StoredPassword {
    std::optional<FileError> unreadable;  // the file is there and cannot be used
    std::string password;                 // deciphered; empty when none is set
    bool protects() const { return unreadable || !password.empty(); }
};

class PasswordFile {
  public:
    PasswordFile(IniInOut& ini, Files& files, const Text& text)
        : ini_(ini), files_(files), text_(text) {}

    std::string Path() const;

    // Reads the file once. A file that is there and cannot be used (held open by another
    // program, access denied, too large, not text) protects as a stored password does, and no
    // password matches it: every caller tells "no password" from "could not read".
    StoredPassword Read() const;
    std::optional<FileError> Unreadable() const { return Read().unreadable; }
    // True when the gate asks: a password is stored, or the file cannot be read (fail closed).
    bool Protects() const { return Read().protects(); }

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
