#include "win32/Win32Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "win32/Handles.h"
#include "win32/Utf.h"
#include "win32/Win32TestSupport.h"

namespace velkor::win32 {
namespace {

// Files, not folders, right in `folder`.
long FilesIn(const std::string& folder) {
    std::filesystem::directory_iterator all(Widen(folder));
    return std::count_if(begin(all), end(all), [](const auto& e) { return e.is_regular_file(); });
}

TEST(Win32FilesTest, ProgramFolderIsTheExecutablesFolder) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    EXPECT_EQ(Win32Files().ProgramFolder() + "\\velkor_win32_tests.exe", Narrow(exe));
}

TEST(Win32FilesTest, ReadTellsMissingFromUnreadable) {
    test::TempFolder temp;
    Win32Files files;
    EXPECT_EQ(files.Read(temp.file("none.ini")).status, ReadOutcome::Status::Missing);
    EXPECT_EQ(files.Read(temp.file("no\\such\\folder.ini")).status, ReadOutcome::Status::Missing);

    test::WriteBytes(temp.file("a.ini"), std::string("[S]\r\nk=\xE4\0x", 11));
    ReadOutcome read = files.Read(temp.file("a.ini"));
    EXPECT_EQ(read.status, ReadOutcome::Status::Ok);
    EXPECT_EQ(read.bytes, std::string("[S]\r\nk=\xE4\0x", 11));
    // (A file held open by another program, told from a missing one: seen end to end.)
}

// Replaced in place of its content: the file keeps its attributes, and what an interrupted
// write left behind goes with the next one, also in a folder deeper than MAX_PATH.
TEST(Win32FilesTest, ReplaceKeepsTheFileAndClearsWhatAnInterruptedWriteLeft) {
    test::TempFolder temp;
    Win32Files files;
    std::vector<std::wstring> folders;  // the deep folders, to remove afterwards
    std::string deep = temp.path();
    while (deep.size() <= MAX_PATH) {
        deep += "\\" + std::string(60, 'd');
        folders.push_back(L"\\\\?\\" + Widen(deep));
        ASSERT_TRUE(CreateDirectoryW(folders.back().c_str(), nullptr));
    }
    for (const std::string& folder : {temp.path(), deep}) {
        SCOPED_TRACE(folder.size());
        const std::string path = folder + "\\Velkor.ini";
        EXPECT_FALSE(files.Replace(path, "[S]\r\nk=1\r\n").has_value());
        const std::wstring wide = L"\\\\?\\" + Widen(path);
        ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN));
        const std::wstring left = L"\\\\?\\" + Widen(folder + "\\vlk1A2B.tmp");
        UniqueFile(CreateFileW(left.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));

        EXPECT_FALSE(files.Replace(path, "[S]\r\nk=2\r\n").has_value());
        EXPECT_EQ(files.Read(path).bytes, "[S]\r\nk=2\r\n");
        EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(GetFileAttributesW(left.c_str()), INVALID_FILE_ATTRIBUTES);
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (folder == deep) {
            DeleteFileW(wide.c_str());
        } else {
            EXPECT_EQ(FilesIn(folder), 1);
        }
    }
    for (auto f = folders.rbegin(); f != folders.rend(); ++f) RemoveDirectoryW(f->c_str());
    EXPECT_FALSE(files.Replace(temp.file("f\xC3\xBCr.ini"), "x").has_value());
    EXPECT_EQ(test::ReadBytes(temp.file("f\xC3\xBCr.ini")), "x");
}

// A read-only file is one an administrator locked: CanWrite says so beforehand, without leaving
// anything behind, and Replace fails with the reason. A file held open is no such lock.
TEST(Win32FilesTest, AReadOnlyFileCannotBeWrittenAndReplaceKeepsIt) {
    test::TempFolder temp;
    Win32Files files;
    std::string path = temp.file("Velkor.ini");
    test::WriteBytes(path, "old");
    EXPECT_TRUE(files.CanWrite(path));
    EXPECT_TRUE(files.CanWrite(temp.file("new.ini")));
    EXPECT_FALSE(files.CanWrite(temp.file("no\\such\\folder.ini")));
    {
        UniqueFile held(
            CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_TRUE(files.CanWrite(path));
    }
    ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.CanWrite(path));
    std::optional<FileError> failed = files.Replace(path, "new");
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->code, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(failed->reason.empty());
    EXPECT_EQ(test::ReadBytes(path), "old");
    EXPECT_EQ(FilesIn(temp.path()), 1);

    failed = files.Replace(temp.file("no\\such\\folder.ini"), "x");
    ASSERT_TRUE(failed.has_value());
}

}  // namespace
}  // namespace velkor::win32
