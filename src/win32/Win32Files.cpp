#include "win32/Win32Files.h"

#include <windows.h>

#include <vector>

#include "platform/SafeReplace.h"
#include "win32/Handles.h"
#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

FileError LastError() {
    DWORD code = GetLastError();
    return {code, SystemMessage(code)};
}

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// An absolute path in the form that lifts the MAX_PATH limit of the file functions, so that a
// program folder deep in a tree still works. Relative paths stay as they are.
std::wstring Extended(std::wstring path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

// A new, empty temporary file "vlk....tmp" beside the target, open for writing.
UniqueFile CreateTemporary(const std::wstring& folder, std::wstring& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t unique[32];
        swprintf(unique, 32, L"\\vlk%08lx%04x.tmp", GetCurrentProcessId(),
                 (GetTickCount() + ++counter) & 0xFFFF);
        name = folder + unique;
        UniqueFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return UniqueFile();
}

// Temporary files left by a write that was interrupted (a crash, a power cut) go with the next
// write that succeeds.
void RemoveLeftTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    UniqueFind search(FindFirstFileW((folder + L"\\vlk*.tmp").c_str(), &found));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        }
    } while (FindNextFileW(search.get(), &found));
}

// The steps of a replace, through the system's file functions.
class SystemReplaceSteps : public ReplaceSteps {
  public:
    unsigned long Swap(const std::wstring& target, const std::wstring& temporary,
                       const std::wstring& backup) override {
        return ReplaceFileW(target.c_str(), temporary.c_str(), backup.c_str(),
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   ? 0
                   : GetLastError();
    }
    unsigned long Move(const std::wstring& from, const std::wstring& to) override {
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : GetLastError();
    }
    bool Exists(const std::wstring& path) const override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void Delete(const std::wstring& path) override { DeleteFileW(path.c_str()); }
};

std::optional<FileError> WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return LastError();
        bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(file)) return LastError();
    return std::nullopt;
}

}  // namespace

std::string Win32Files::ProgramFolder() const {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return ".";
        if (length < buffer.size()) return Narrow(FolderOf(std::wstring(buffer.data(), length)));
        buffer.resize(buffer.size() * 2);  // the path was cut: try a larger buffer
    }
}

ReadOutcome Win32Files::Read(std::string_view path) const {
    UniqueFile file(CreateFileW(Extended(Widen(path)).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return {ReadOutcome::Status::Missing, {}, {}};
        }
        return {ReadOutcome::Status::Failed, {}, {code, SystemMessage(code)}};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return {ReadOutcome::Status::Failed, {}, LastError()};
    if (size.QuadPart > (64 << 20)) {  // a profile file is never this large
        return {ReadOutcome::Status::Failed,
                {},
                {ERROR_FILE_TOO_LARGE, SystemMessage(ERROR_FILE_TOO_LARGE)}};
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                      &got, nullptr)) {
            return {ReadOutcome::Status::Failed, {}, LastError()};
        }
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return {ReadOutcome::Status::Ok, std::move(bytes), {}};
}

std::optional<FileError> Win32Files::Replace(std::string_view path, std::string_view bytes) {
    const std::wstring target = Extended(Widen(path));
    const std::wstring folder = FolderOf(target);
    // Replacing would also replace a file the user has made read-only.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return FileError{ERROR_ACCESS_DENIED, SystemMessage(ERROR_ACCESS_DENIED)};
    }
    std::wstring temporary;
    std::optional<FileError> failed;
    {
        UniqueFile file = CreateTemporary(folder, temporary);
        if (!file) return LastError();
        failed = WriteAll(file.get(), bytes);
    }
    if (failed) {
        DeleteFileW(temporary.c_str());
        return failed;
    }
    SystemReplaceSteps steps;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (const unsigned long error = steps.Move(temporary, target)) {
            steps.Delete(temporary);
            return FileError{error, SystemMessage(error)};
        }
    } else {
        // An existing file is replaced in place of its content: it keeps its attributes, owner
        // and permissions, which a move over it would take from the temporary file. Its old
        // content passes through a backup, so that a failure part way never loses both.
        std::wstring backup = temporary;
        backup.replace(backup.size() - 4, 4, L".bak");
        const ReplaceOutcome outcome = ReplaceKeepingACopy(steps, target, temporary, backup);
        if (outcome.error != 0) {
            FileError error{outcome.error, SystemMessage(outcome.error)};
            if (!outcome.keptAs.empty())
                error.reason += " Its content is kept in " + Narrow(outcome.keptAs) + ".";
            return error;
        }
        // Not every system's ReplaceFileW carries the attributes over (hidden, system, ...).
        if (GetFileAttributesW(target.c_str()) != attributes) {
            SetFileAttributesW(target.c_str(), attributes);
        }
    }
    RemoveLeftTemporaries(folder);
    return std::nullopt;
}

bool Win32Files::CanWrite(std::string_view path) const {
    const std::wstring target = Extended(Widen(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
        UniqueFile file(CreateFileW(target.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() == ERROR_ACCESS_DENIED) return false;
    }
    std::wstring temporary;
    if (!CreateTemporary(FolderOf(target), temporary)) return false;
    DeleteFileW(temporary.c_str());  // the handle has closed: only the name is left
    return true;
}

}  // namespace velkor::win32
