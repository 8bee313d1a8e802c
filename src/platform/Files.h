#pragma once
// Files of the program folder. Paths are UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace velkor {

struct FileError {
    unsigned long code = 0;  // the system's error code
    std::string reason;      // the system's own text for it
};

struct ReadOutcome {
    enum class Status { Ok, Missing, Failed } status = Status::Missing;
    std::string bytes;  // with Ok
    FileError error;    // with Failed
};

class Files {
  public:
    virtual ~Files() = default;
    // The folder of the executable, without a trailing separator.
    virtual std::string ProgramFolder() const = 0;
    // The whole file; a missing file is told apart from one that cannot be read.
    virtual ReadOutcome Read(std::string_view path) const = 0;
    // Replaces the file's content in one step: a reader sees the old or the new bytes, and a
    // crash in between leaves the old file. Creates the file when it is missing.
    virtual std::optional<FileError> Replace(std::string_view path, std::string_view bytes) = 0;
    // Whether Replace may succeed: false when the file is read-only or access to it or to its
    // folder is denied (an administrator's doing); a passing failure (a file held open) is no
    // reason. Changes nothing.
    virtual bool CanWrite(std::string_view path) const = 0;
};

}  // namespace velkor
