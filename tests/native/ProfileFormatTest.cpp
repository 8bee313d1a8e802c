// Reading and in-place editing of profile files: what the Win32 tests' comparison with the
// system's own profile functions cannot show.
#include "profile/ProfileFormat.h"

#include <gtest/gtest.h>

namespace velkor::profile {
namespace {

std::string Same(std::string_view s) {
    return std::string(s);
}
const Encoding kSame{Same, Same};

TEST(ProfileFormatTest, Lookup) {
    // The rest of the reading is compared with the system's on the same files (Win32 tests).
    const struct {
        const char* name;
        std::string file;
        const char *section, *key;
        std::optional<std::string> expected;
    } cases[] = {
        {"blanks around everything", "  [ Default ]  \n \t Key \t= \t va lue \t\n", "Default",
         "Key", "va lue"},
        {"value with =", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"keys before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lookup(c.file, c.section, c.key, Same), c.expected) << c.name;
    }
}

TEST(ProfileFormatTest, AssignChangesOnlyItsOwnLine) {
    // Bytes the system lays out anew, and files the Win32 comparison has no case of.
    const struct {
        const char* name;
        std::string before;
        const char *section, *key, *value;
        std::string after;
    } cases[] = {
        {"replace keeps the file's key name and the rest", "; note\r\n[ S ]\r\n  K = 1 \r\nj=3\r\n",
         "s", "k", "2", "; note\r\n[ S ]\r\nK=2\r\nj=3\r\n"},
        {"add key after the section's last entry", "[S]\nk=1\n\n[T]\nx=1\n", "S", "j", "2",
         "[S]\nk=1\nj=2\n\n[T]\nx=1\n"},
        {"add key to an empty section", "[S]\r\n[T]\r\n", "S", "k", "1", "[S]\r\nk=1\r\n[T]\r\n"},
        {"add section after a last line without break", "[S]\nk=1", "T", "j", "2",
         "[S]\nk=1\n[T]\nj=2\n"},
        {"CR-only file keeps CR", "[S]\rk=1\r", "S", "j", "2", "[S]\rk=1\rj=2\r"},
        {"comment with the key's name is kept", "[S]\n;k=1\n", "S", "k", "2", "[S]\n;k=1\nk=2\n"},
    };
    for (const auto& c : cases) {
        std::string after = Assign(c.before, c.section, c.key, c.value, kSame);
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_EQ(Lookup(after, c.section, c.key, Same), std::string(c.value)) << c.name;
    }
}

}  // namespace
}  // namespace velkor::profile
