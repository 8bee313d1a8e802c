#include "platform/Convert.h"

#include <gtest/gtest.h>

#include "platform/RuntimeError.h"

namespace velkor {
namespace {

struct Case {
    const char* text;
    int64_t expected;  // the number, when no error is expected
    int error = 0;     // the run-time error number expected, 0 for none
};
constexpr Case Error(const char* text, int number) {
    return {text, 0, number};
}

template <class Convert>
void Check(const Case& c, Convert convert) {
    SCOPED_TRACE(std::string("text: \"") + c.text + "\"");
    if (c.error == 0) {
        EXPECT_EQ(convert(c.text), c.expected);
        return;
    }
    try {
        convert(c.text);
        ADD_FAILURE() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), c.error);
    }
}

TEST(ConvertTest, SixteenBitReadsBlanksSignAndDigitsOnly) {
    const Case cases[] = {
        {"1", 1},
        {"0", 0},
        {" 12 ", 12},
        {"\t7", 7},
        {"+5", 5},
        {"-7", -7},
        {"- 3", -3},
        {"007", 7},
        {"32767", 32767},
        {"-32768", -32768},
        Error("32768", 6),
        Error("-32769", 6),
        Error("99999999999999999999999", 6),
        Error("", 13),
        Error("   ", 13),
        Error("-", 13),
        Error("abc", 13),
        Error("1.5", 13),
        Error("1 2", 13),
        Error("&H10", 13),
        Error("1e3", 13),
        Error("+-1", 13),
        Error("12a", 13),
    };
    for (const Case& c : cases) Check(c, ToInt16);
}

TEST(ConvertTest, ThirtyTwoBitRange) {
    const Case cases[] = {
        {"3000", 3000},         {"2147483647", 2147483647}, {"-2147483648", -2147483648LL},
        Error("2147483648", 6), Error("-2147483649", 6),    {"-1", -1},
        Error("", 13),
    };
    for (const Case& c : cases) Check(c, ToInt32);
}

}  // namespace
}  // namespace velkor
