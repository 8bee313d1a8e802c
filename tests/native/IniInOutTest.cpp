#include "profile/IniInOut.h"

#include <gtest/gtest.h>

#include "fakes/Cp1252Text.h"
#include "fakes/FakeFiles.h"
#include "platform/RuntimeError.h"
#include "program/ErrorCheck.h"

namespace velkor {
namespace {

class IniInOutTest : public ::testing::Test {
  protected:
    test::FakeFiles files;
    test::Cp1252Text text;
    IniInOut ini{files, text};
    std::string path = files.path("Velkor.ini");

    int ErrorOfWrite(std::string_view section, std::string_view key, std::string_view value) {
        const auto error = Attempt([&] { ini.WriteIni(path, section, key, value); });
        return error ? error->number() : 0;
    }
};

// What the Win32 tests' comparison with the system cannot show: a value cut to 63 characters of
// the file, not bytes of UTF-8, and a file that is there but cannot be read.
TEST_F(IniInOutTest, ValuesAreCutToSixtyThreeCharactersAndAnUnreadableFileReadsEmpty) {
    files.content[path] = "[S]\nu=" + std::string(62, 'x') + "\xE4\xFC\n";
    EXPECT_EQ(ini.ReadIni(path, "S", "u"), std::string(62, 'x') + "\xC3\xA4");
    files.unreadable.insert(path);
    EXPECT_EQ(ini.ReadIni(path, "S", "u"), "");
}

// `text` as UTF-16 with its byte-order mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

// The file's encoding is kept: what its byte-order mark names. (ANSI files: the Win32 tests.)
TEST_F(IniInOutTest, ValuesAreUtf8InsideAndTheFileKeepsItsEncoding) {
    struct Case {
        const char* name;
        std::string before, read, after;
    };
    const Case cases[] = {
        {"UTF-8 with a mark", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA4\r\n", "\xC3\xA4",
         "\xEF\xBB\xBF[S]\r\nk=\xC3\xA4\r\nj=\xC3\xA4\r\n"},
        {"UTF-16 little-endian", Utf16(u"[S]\r\nk=\U0001F600\r\n", false), "\xF0\x9F\x98\x80",
         Utf16(u"[S]\r\nk=\U0001F600\r\nj=\u00E4\r\n", false)},
        {"UTF-16 big-endian", Utf16(u"[S]\r\nk=\u00E4\r\n", true), "\xC3\xA4",
         Utf16(u"[S]\r\nk=\u00E4\r\nj=\u00E4\r\n", true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files.content[path] = c.before;
        EXPECT_EQ(ini.ReadIni(path, "S", "k"), c.read);
        ini.WriteIni(path, "S", "j", "\xC3\xA4");
        EXPECT_EQ(files.content[path], c.after);
    }
}

// (A new file and what a write keeps: compared with the system's in the Win32 tests.)
TEST_F(IniInOutTest, WritingTheValueTheFileHasLeavesItAlone) {
    ini.WriteIni(path, "Current", "DeviceE", "1");
    ini.WriteIni(path, "Current", "DeviceE", "1");
    EXPECT_EQ(files.replaceCount, 1);
}

// A write that fails, or would break the file, is an error and changes nothing.
TEST_F(IniInOutTest, FailedOrHarmfulWritesAreErrorsAndChangeNothing) {
    const std::string before = "[S]\r\nk=1\r\n";
    files.content[path] = before;
    files.readOnly.insert(path);
    const std::optional<RuntimeError> denied = Attempt([&] { ini.WriteIni(path, "S", "k", "2"); });
    ASSERT_TRUE(denied);
    EXPECT_EQ(denied->number(), 75);
    EXPECT_EQ(denied->description(), "Path/File access error (Access is denied.)");
    // A file that exists but cannot be read is never overwritten with only the new key.
    files.readOnly.clear();
    files.unreadable.insert(path);
    EXPECT_EQ(ErrorOfWrite("S", "k", "2"), 75);
    files.unreadable.clear();

    EXPECT_EQ(ErrorOfWrite("S", "k", "1\r\n[Default]\r\nDeviceAll=1"), 5);
    EXPECT_EQ(ErrorOfWrite("S", "k=j", "1"), 5);
    EXPECT_EQ(ErrorOfWrite("S]", "k", "1"), 5);
    EXPECT_EQ(ErrorOfWrite("S", " ", "1"), 5);
    EXPECT_EQ(ErrorOfWrite("", "k", "1"), 5);
    EXPECT_EQ(ErrorOfWrite("S", "k", std::string_view("a\0b", 3)), 5);
    EXPECT_EQ(files.content[path], before);
    EXPECT_EQ(files.replaceCount, 0);
}

}  // namespace
}  // namespace velkor
