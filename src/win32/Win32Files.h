#pragma once
#include "platform/Files.h"

namespace velkor::win32 {

class Win32Files : public Files {
  public:
    std::string ProgramFolder() const override;
    ReadOutcome Read(std::string_view path) const override;
    // Writes a temporary file beside the target, flushes it, then puts it in the target's place
    // (keeping an existing target's attributes and permissions). Long paths work.
    std::optional<FileError> Replace(std::string_view path, std::string_view bytes) override;
    // Looks at the attribute, opens the file for writing and makes (and removes) a temporary
    // file beside it, as Replace would.
    bool CanWrite(std::string_view path) const override;
};

}  // namespace velkor::win32
