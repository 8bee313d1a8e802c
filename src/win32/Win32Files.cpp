#include "win32/Win32Files.h"

#include <windows.h>

#include <vector>

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
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
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
    std::wstring target = Widen(path);
    // Replacing by a move would also replace a file the user has made read-only.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return FileError{ERROR_ACCESS_DENIED, SystemMessage(ERROR_ACCESS_DENIED)};
    }
    wchar_t temporary[MAX_PATH + 1] = {};
    if (GetTempFileNameW(FolderOf(target).c_str(), L"vlk", 0, temporary) == 0) return LastError();

    std::optional<FileError> failed;
    {
        UniqueFile file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            failed = LastError();
        } else {
            failed = WriteAll(file.get(), bytes);
        }
    }
    if (!failed && !MoveFileExW(temporary, target.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failed = LastError();
    }
    if (failed) DeleteFileW(temporary);
    return failed;
}

}  // namespace velkor::win32
