#pragma once
// Reading and writing single values of the program's profile files (settings, language and
// password files). Inside the program values are UTF-8; in the file they are in the system ANSI
// code page, or in the encoding a byte-order mark at its start names (UTF-8, UTF-16 either way
// round), which a write keeps.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"
#include "platform/Text.h"

namespace velkor {

class IniInOut {
  public:
    // A value read back is cut to this many characters.
    static constexpr size_t kMaxValueLength = 63;

    // A file as read once, for looking up many values: the same answers as IniInOut's Lookup
    // and ReadIni at the moment of the reading.
    class Reading {
      public:
        std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;
        std::string ReadIni(std::string_view section, std::string_view key) const {
            return Lookup(section, key).value_or(std::string());
        }

      private:
        friend class IniInOut;
        bool readable_ = false;
        std::string body_;                                     // UTF-8, after any byte-order mark
        std::function<std::string(std::string_view)> decode_;  // a value's bytes as UTF-8
    };
    Reading Read(std::string_view file) const;
    // The same of bytes already read: nothing is found in a file that was not read.
    Reading Parse(const ReadOutcome& read) const;

    IniInOut(Files& files, const Text& text) : files_(files), text_(text) {}

    // The value of the key, or the empty text when the file, the section or the key is missing
    // (or the file cannot be read).
    std::string ReadIni(std::string_view file, std::string_view section,
                        std::string_view key) const;
    // The same, but nothing when the file, the section or the key is missing (or the file cannot
    // be read): a present key with an empty value is the empty text.
    std::optional<std::string> Lookup(std::string_view file, std::string_view section,
                                      std::string_view key) const;

    // Sets the key, creating the key, the section or the file as needed. The file is replaced in
    // one step. A write that fails raises "Path/File access error" (75) with the system's reason;
    // names or a value that would break the file's lines raise "Invalid procedure call" (5).
    void WriteIni(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value);

  private:
    Files& files_;
    const Text& text_;
};

}  // namespace velkor
