#include "fakes/FakeFiles.h"

namespace velkor::test {

ReadOutcome FakeFiles::Read(std::string_view path) const {
    if (unreadable.count(path)) {
        return {ReadOutcome::Status::Failed, {}, {32, "The process cannot access the file."}};
    }
    auto found = content.find(path);
    if (found == content.end()) return {ReadOutcome::Status::Missing, {}, {}};
    return {ReadOutcome::Status::Ok, found->second, {}};
}

std::optional<FileError> FakeFiles::Replace(std::string_view path, std::string_view bytes) {
    if (readOnly.count(path)) return FileError{5, "Access is denied."};
    ++replaceCount;
    content[std::string(path)] = std::string(bytes);
    return std::nullopt;
}

}  // namespace velkor::test
