#include "password/EnDecrypt.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

unsigned Code(const std::string& s, size_t position) {  // 1-based, as the cipher counts
    return static_cast<unsigned char>(s.at(position - 1));
}

TEST(EnDecryptTest, FixedVectorComputedByHandAndTheKeyRepeatingEveryThirtyTwoCharacters) {
    // V+H = 86+72, e+q = 101+113, l+7 = 108+55, k+X = 107+88, o+t = 111+116, r+2 = 114+50
    EXPECT_EQ(Encrypt("Velkor", PWDKey), "\x9E\xD6\xA3\xC3\xE3\xA4");
    EXPECT_EQ(Decrypt("\x9E\xD6\xA3\xC3\xE3\xA4", PWDKey), "Velkor");
    const std::string stored = Encrypt(std::string(65, 'A'), PWDKey);
    EXPECT_EQ(stored.substr(32), stored.substr(0, 33));
    EXPECT_EQ(Code(stored, 32), 65u + 'a');  // the key's last character
}

TEST(EnDecryptTest, WrapsByTwoHundredFiftyFive) {
    struct Case {
        unsigned text, key, stored;
    };
    const Case cases[] = {
        {183, 72, 255},                  // sum 255 stays
        {184, 72, 1},                    // sum 256 becomes 1
        {255, 255, 255},                 // sum 510, the largest, becomes 255
        {0, 72, 72},     {255, 72, 72},  // same as code 0
    };
    for (const Case& c : cases) {
        std::string text(1, static_cast<char>(c.text)), key(1, static_cast<char>(c.key));
        std::string stored = Encrypt(text, key);
        EXPECT_EQ(Code(stored, 1), c.stored) << c.text << "+" << c.key;
    }
}

TEST(EnDecryptTest, EveryCodeBelow255RoundTripsAtEveryKeyPosition) {
    for (int code = 0; code <= 254; ++code) {
        std::string text(32, static_cast<char>(code));
        EXPECT_EQ(Decrypt(Encrypt(text, PWDKey), PWDKey), text) << "code " << code;
    }
    // 255 is stored like 0 (the rows above) and comes back as 0: it can never be typed again.
    EXPECT_EQ(Decrypt(Encrypt("\xFF", PWDKey), PWDKey), std::string(1, '\0'));
}

}  // namespace
}  // namespace velkor
