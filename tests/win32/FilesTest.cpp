#include "win32/Win32Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "win32/Handles.h"
#include "win32/Utf.h"
#include "win32/Win32TestSupport.h"

namespace velkor::win32 {
namespace {

size_t FilesIn(const std::string& folder) {
    size_t count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

TEST(Win32FilesTest, ProgramFolderIsTheExecutablesFolder) {
    Win32Files files;
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::string folder = files.ProgramFolder();
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(folder + "\\velkor_win32_tests.exe", Narrow(exe));
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

    // Held open without sharing by another program.
    UniqueFile held(CreateFileW(Widen(temp.file("a.ini")).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    read = files.Read(temp.file("a.ini"));
    EXPECT_EQ(read.status, ReadOutcome::Status::Failed);
    EXPECT_EQ(read.error.code, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(read.error.reason.empty());
}

TEST(Win32FilesTest, ReplaceCreatesAndReplacesLeavingNoTemporaryFile) {
    test::TempFolder temp;
    Win32Files files;
    std::string path = temp.file("Velkor.ini");
    EXPECT_FALSE(files.Replace(path, "[S]\r\nk=1\r\n").has_value());
    EXPECT_EQ(test::ReadBytes(path), "[S]\r\nk=1\r\n");
    EXPECT_FALSE(files.Replace(path, "[S]\r\nk=2\r\n").has_value());
    EXPECT_EQ(test::ReadBytes(path), "[S]\r\nk=2\r\n");
    EXPECT_EQ(FilesIn(temp.path()), 1u);
    EXPECT_FALSE(files.Replace(temp.file("f\xC3\xBCr.ini"), "x").has_value());
    EXPECT_EQ(test::ReadBytes(temp.file("f\xC3\xBCr.ini")), "x");
}

TEST(Win32FilesTest, ReplaceOfAReadOnlyFileFailsWithTheReasonAndKeepsIt) {
    test::TempFolder temp;
    Win32Files files;
    std::string path = temp.file("Velkor.ini");
    test::WriteBytes(path, "old");
    ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    std::optional<FileError> failed = files.Replace(path, "new");
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->code, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(failed->reason.empty());
    EXPECT_EQ(test::ReadBytes(path), "old");
    EXPECT_EQ(FilesIn(temp.path()), 1u);

    failed = files.Replace(temp.file("no\\such\\folder.ini"), "x");
    ASSERT_TRUE(failed.has_value());
}

}  // namespace
}  // namespace velkor::win32
