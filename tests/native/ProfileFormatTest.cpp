// Reading and in-place editing of profile files. The same cases run against the system's own
// profile functions in the Win32 tests.
#include "profile/ProfileFormat.h"

#include <gtest/gtest.h>

namespace velkor::profile {
namespace {

std::string Same(std::string_view s) {
    return std::string(s);
}
const Encoding kSame{Same, Same};

struct LookupCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(ProfileFormatTest, Lookup) {
    const LookupCase cases[] = {
        {"plain", "[Default]\r\nDelay=0\r\n", "Default", "Delay", "0"},
        {"names ignore case", "[default]\nDELAY=5\n", "Default", "delay", "5"},
        {"blanks around everything", "  [ Default ]  \n \t Key \t= \t va lue \t\n", "Default",
         "Key", "va lue"},
        {"blanks around the names asked", "[S]\nk=1\n", " S ", " k\t", "1"},
        {"LF", "[S]\nk=1\nj=2\n", "S", "j", "2"},
        {"CR only", "[S]\rk=1\rj=2\r", "S", "j", "2"},
        {"no final line break", "[S]\nk=v", "S", "k", "v"},
        {"double quotes", "[S]\nk=\"a b\"\n", "S", "k", "a b"},
        {"single quotes", "[S]\nk='ab'\n", "S", "k", "ab"},
        {"quotes inside blanks", "[S]\nk = \" v \" \n", "S", "k", " v "},
        {"one quote stays", "[S]\nk=\"\n", "S", "k", "\""},
        {"unbalanced quote stays", "[S]\nk=\"ab\n", "S", "k", "\"ab"},
        {"mixed quotes stay", "[S]\nk='x\"\n", "S", "k", "'x\""},
        {"empty quotes", "[S]\nk=\"\"\n", "S", "k", ""},
        {"empty value", "[S]\nk=\n", "S", "k", ""},
        {"value with =", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"first key wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        {"first section wins", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "k", "1"},
        {"later duplicate section is not searched", "[S]\nk=1\n[s]\nj=3\n", "S", "j", std::nullopt},
        {"comment never matches the key", "[S]\n;k=1\n", "S", "k", std::nullopt},
        {"line without = has no value", "[S]\nk\n", "S", "k", ""},
        {"line without = decides for its name", "[S]\nk\nk=1\n", "S", "k", ""},
        {"missing key", "[S]\nk=1\n", "S", "x", std::nullopt},
        {"missing section", "[S]\nk=1\n", "T", "k", std::nullopt},
        {"key of another section", "[S]\n[T]\nk=1\n", "S", "k", std::nullopt},
        {"keys before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
        {"text after ]", "[S] junk\nk=v\n", "S", "k", "v"},
        {"[ without ] is no section", "[S\nk=v\n", "S", "k", std::nullopt},
        {"last ] closes the name", "[S]]\nk=v\n", "S]", "k", "v"},
        {"control blanks", "[S]\r\n\r\nk=\x1Av\v\f\r\n", "S", "k", "v"},
        {"empty file", "", "S", "k", std::nullopt},
        {"high bytes kept", "[S]\nk=\xA0x\xFF\n", "S", "k", "\xA0x\xFF"},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(Lookup(c.file, c.section, c.key, Same), c.expected) << c.name;
    }
}

struct AssignCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST(ProfileFormatTest, AssignChangesOnlyItsOwnLine) {
    const AssignCase cases[] = {
        {"replace", "[S]\r\nk=1\r\n", "S", "k", "2", "[S]\r\nk=2\r\n"},
        {"replace keeps the file's key name and the rest", "; note\r\n[ S ]\r\n  K = 1 \r\nj=3\r\n",
         "s", "k", "2", "; note\r\n[ S ]\r\nK=2\r\nj=3\r\n"},
        {"add key after the section's last entry", "[S]\nk=1\n\n[T]\nx=1\n", "S", "j", "2",
         "[S]\nk=1\nj=2\n\n[T]\nx=1\n"},
        {"add key to an empty section", "[S]\r\n[T]\r\n", "S", "k", "1", "[S]\r\nk=1\r\n[T]\r\n"},
        {"add key where the last line has no break", "[S]\nk=1", "S", "j", "2", "[S]\nk=1\nj=2\n"},
        {"add section at the end", "[S]\r\nk=1\r\n", "T", "j", "2", "[S]\r\nk=1\r\n[T]\r\nj=2\r\n"},
        {"add section after a last line without break", "[S]\nk=1", "T", "j", "2",
         "[S]\nk=1\n[T]\nj=2\n"},
        {"new file", "", "Current", "DeviceE", "1", "[Current]\r\nDeviceE=1\r\n"},
        {"CR-only file keeps CR", "[S]\rk=1\r", "S", "j", "2", "[S]\rk=1\rj=2\r"},
        {"first of duplicate sections", "[S]\nk=1\n[S]\nk=5\n", "S", "k", "2",
         "[S]\nk=2\n[S]\nk=5\n"},
        {"line without = gets a value", "[S]\nk\n", "S", "k", "1", "[S]\nk=1\n"},
        {"empty value", "[S]\nk=1\n", "S", "k", "", "[S]\nk=\n"},
        {"comment with the key's name is kept", "[S]\n;k=1\n", "S", "k", "2", "[S]\n;k=1\nk=2\n"},
    };
    for (const AssignCase& c : cases) {
        std::string after = Assign(c.before, c.section, c.key, c.value, kSame);
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_EQ(Lookup(after, c.section, c.key, Same), std::string(c.value)) << c.name;
    }
}

}  // namespace
}  // namespace velkor::profile
