#pragma once
// Files in memory. Paths are compared as given.
#include <map>
#include <set>

#include "platform/Files.h"

namespace velkor::test {

class FakeFiles : public Files {
  public:
    std::string folder = "C:\\Velkor";
    std::map<std::string, std::string, std::less<>> content;
    std::set<std::string, std::less<>> unreadable;  // Read fails
    std::set<std::string, std::less<>> readOnly;    // Replace fails
    int replaceCount = 0;

    std::string ProgramFolder() const override { return folder; }
    ReadOutcome Read(std::string_view path) const override;
    std::optional<FileError> Replace(std::string_view path, std::string_view bytes) override;
    bool CanWrite(std::string_view path) const override { return !readOnly.contains(path); }

    std::string path(std::string_view name) const { return folder + "\\" + std::string(name); }
};

}  // namespace velkor::test
