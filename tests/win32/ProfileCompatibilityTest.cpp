// Our profile-file routines against the system's GetPrivateProfileStringA and
// WritePrivateProfileStringA on the same files. Where they differ on purpose, the case says why.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/IniInOut.h"
#include "win32/Win32Files.h"
#include "win32/Win32TestSupport.h"
#include "win32/Win32Text.h"

namespace velkor::win32 {
namespace {

class ProfileCompatibilityTest : public ::testing::Test {
  protected:
    test::TempFolder temp;
    Win32Files files;
    Win32Text text;
    IniInOut ini{files, text};

    std::string SystemRead(const std::string& file, const char* section, const char* key) {
        char buffer[64];
        DWORD length =
            GetPrivateProfileStringA(text.ToAnsi(section).c_str(), text.ToAnsi(key).c_str(),
                                     nullptr, buffer, sizeof buffer, text.ToAnsi(file).c_str());
        return text.FromAnsi(std::string(buffer, length));
    }
};

const std::string k63(63, 'x');
const std::string k64 = k63 + "y";
const std::string k200(200, 'z');

// Every file below is read for every one of these names, found in it or not.
const char* const kSections[] = {"Default", "default", " Default ", "DEFAULT", "Language",
                                 "Current", "S",       "s",         "T",       "U]"};
const char* const kKeys[] = {
    "DeviceAll", "deviceall", "Delay", " Delay ", "delay", "Language", "DeviceD", "d",  "s",
    "u",         "m",         "e",     "q",       "b",     "i",        "k",       "j",  "h",
    "x",         "# note",    "v63",   "v64",     "v200",  "q64",      "q200",    "nb", "\xC3\x84"};

TEST_F(ProfileCompatibilityTest, ReadsMatchTheSystem) {
    const std::pair<const char*, std::string> cases[] = {
        {"delivered settings",
         "[Default]\r\nDeviceAll=0\r\nUseLastState=1\r\nMinimize=0\r\nStandby=1\r\nDelay=0\r\n\r\n"
         "[Language]\r\nLanguage=0\r\n"},
        {"quotes",
         "[S]\nd=\"a b\"\ns='ab'\nu=\"ab\nm='x\"\ne=\"\"\nq=\"\nb = \" v \" \ni=a\"b\"c\n"},
        {"blanks and case", "  [ Default ]  \r\n \t DeviceAll \t= \t 1 \t\r\nDELAY=3000\r\n"},
        {"duplicates", "[S]\nk=1\nk=2\n[s]\nk=3\nj=4\n[T]\nx=5\n"},
        {"comments and lines without =", "; settings\n[S]\n;k=1\nk\nj\nj=2\n# note\nh=3\n"},
        {"CR only", "[S]\rk=1\rj=2\r[T]\rk=3"},
        {"no final line end", "[S]\r\nk=last"},
        {"LF and mixed", "[S]\nk=1\r\nj=2\rh=3\n"},
        {"value lengths", "[S]\r\nv63=" + k63 + "\r\nv64=" + k64 + "\r\nv200=" + k200 +
                              "\r\nq64=\"" + k64 + "\"\r\nq200='" + k200 + "'\r\n"},
        {"empty values", "[S]\nk=\nj=   \nq=''\n"},
        {"bytes 0x80 to 0xFF",
         "[S]\r\nk=\x80\x81\x8D\x9F\xA0\xC4\xE4\xFF\r\n\xC4=\xFC\r\nnb=\xA0x\xA0\r\n"},
        {"section and key oddities", "[S] trailing\nk=1\n[T\nk=2\n[U]]\nk=3\n[]\nk=4\n"},
        {"control blanks", "[S]\r\n\r\nk=\x1Av\v\f\r\n"},
        {"empty file", ""},
        {"no file", "<none>"},
    };

    for (const auto& [name, content] : cases) {
        const std::string path = temp.file(name + std::string(".ini"));
        if (content != "<none>") test::WriteBytes(path, content);
        for (const char* section : kSections)
            for (const char* key : kKeys)
                EXPECT_EQ(ini.ReadIni(path, section, key), SystemRead(path, section, key))
                    << name << " [" << section << "] " << key;
    }
    // Where we differ on purpose: the system cuts a quoted value of exactly 63 characters before
    // it removes the closing quote and so loses the last character; we return the whole value.
    const std::string path = temp.file("q63.ini");
    test::WriteBytes(path, "[S]\r\nq63=\"" + k63 + "\"\r\n");
    EXPECT_EQ(ini.ReadIni(path, "S", "q63"), k63);
    EXPECT_NE(SystemRead(path, "S", "q63"), k63);
}

struct Write {
    const char *section, *key, *value;
};

// relaidOut: the system rewrites the whole file in its own layout (CRLF, no blank lines, no blanks
// around names) while we keep every byte that the writes do not concern (the native format tests
// check those bytes); the files then differ but read back the same.
struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file
    std::vector<Write> writes;
    bool relaidOut = false;
};

TEST_F(ProfileCompatibilityTest, WritesMatchTheSystem) {
    const std::vector<WriteCase> cases = {
        {"new file",
         nullptr,
         {{"Language", "Language", "1"},
          {"Default", "DeviceAll", "1"},
          {"Default", "UseLastState", "0"},
          {"Language", "Language", "0"}}},
        {"record in a delivered file",
         "[Default]\r\nDeviceAll=0\r\nDelay=0\r\n[Language]\r\nLanguage=0\r\n",
         {{"Current", "DeviceD", "1"},
          {"Current", "DeviceE", "0"},
          {"Current", "DeviceD", "0"},
          {"Default", "Minimize", "1"},
          {"Default", "DeviceAll", "1"}}},
        {"case of existing names is kept",
         "[CURRENT]\r\nDEVICEE=1\r\n",
         {{"current", "deviceE", "0"}, {"Current", "DeviceF", "1"}}},
        {"first of duplicates", "[S]\r\nk=1\r\n[S]\r\nk=5\r\n", {{"S", "k", "2"}, {"S", "j", "3"}}},
        {"line without =", "[S]\r\nk\r\n", {{"S", "k", "1"}}},
        {"empty value", "[S]\r\nk=1\r\n", {{"S", "k", ""}, {"S", "j", ""}}},
        {"high bytes", "[S]\r\nk=1\r\n", {{"S", "k", "\xC3\xA4\xE2\x82\xAC\xC3\xBF"}}},
        {"blank lines and blanks around names",
         "; note\r\n\r\n[ S ]\r\n  k = 1 \r\n\r\n[T]\r\nx=1\r\n",
         {{"S", "k", "2"}, {"S", "j", "3"}, {"T", "y", "4"}},
         true},
        {"LF line ends", "[S]\nk=1\n", {{"S", "k", "2"}, {"U", "z", "1"}}, true},
        {"no final line end", "[S]\r\nk=1", {{"S", "j", "2"}}},
    };

    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ours = temp.file("ours " + std::string(c.name) + ".ini"),
                          system = temp.file("system " + std::string(c.name) + ".ini");
        if (c.before) {
            test::WriteBytes(ours, c.before);
            test::WriteBytes(system, c.before);
        }
        for (const Write& w : c.writes) {
            ini.WriteIni(ours, w.section, w.key, w.value);
            ASSERT_TRUE(WritePrivateProfileStringA(text.ToAnsi(w.section).c_str(),
                                                   text.ToAnsi(w.key).c_str(),
                                                   text.ToAnsi(w.value).c_str(), system.c_str()));
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, system.c_str());  // flush its cache

        if (!c.relaidOut) {
            EXPECT_EQ(test::ReadBytes(ours), test::ReadBytes(system));
        }
        for (const Write& w : c.writes) {  // the same content, read either way
            EXPECT_EQ(ini.ReadIni(ours, w.section, w.key), ini.ReadIni(system, w.section, w.key))
                << w.key;
            EXPECT_EQ(SystemRead(ours, w.section, w.key), SystemRead(system, w.section, w.key))
                << w.key;
        }
    }
}

}  // namespace
}  // namespace velkor::win32
