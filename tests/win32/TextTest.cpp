// The ANSI code page port against the system's conversions. The test prefix runs with the
// Western European code page 1252, as the native tests assume.
#include "win32/Win32Text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace velkor::win32 {
namespace {

TEST(Win32TextTest, ConvertsThroughTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u);
    Win32Text text;
    EXPECT_EQ(text.FromAnsi("f\xFCr \x80"), "f\xC3\xBCr \xE2\x82\xAC");
    EXPECT_EQ(text.ToAnsi("Laufwerk D: ist kein CD-Laufwerk \xC3\xA4\xC3\x9F"),
              "Laufwerk D: ist kein CD-Laufwerk \xE4\xDF");
    EXPECT_EQ(text.ToAnsi("\xE2\x86\x92"), "?");  // not in the code page
    EXPECT_EQ(text.ToAnsi(""), "");
}

TEST(Win32TextTest, EveryByteRoundTrips) {
    Win32Text text;
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(text.ToAnsi(text.FromAnsi(all)), all);
}

}  // namespace
}  // namespace velkor::win32
