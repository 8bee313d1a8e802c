#include "fakes/Cp1252Text.h"

#include <gtest/gtest.h>

namespace velkor::test {
namespace {

TEST(Cp1252TextTest, EveryByteRoundTrips) {
    Cp1252Text text;
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(text.ToAnsi(text.FromAnsi(all)), all);
}

TEST(Cp1252TextTest, KnownCharactersAndTheDefaultCharacter) {
    Cp1252Text text;
    EXPECT_EQ(text.FromAnsi("\x80\xE4\xFC"), "\xE2\x82\xAC\xC3\xA4\xC3\xBC");  // € ä ü
    EXPECT_EQ(text.ToAnsi("f\xC3\xBCr"), "f\xFCr");
    EXPECT_EQ(text.ToAnsi("\xE2\x86\x92"), "?");  // → is not in the code page
    EXPECT_EQ(text.ToAnsi("\xC3"), "?");          // cut sequence
}

}  // namespace
}  // namespace velkor::test
