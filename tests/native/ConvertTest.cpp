#include "platform/Convert.h"

#include <gtest/gtest.h>

#include "platform/RuntimeError.h"

namespace velkor {
namespace {

struct Case {
    const char* text;
    int64_t result;  // the number, or the number of the run-time error
};

// Each text of `numbers` converts to its number; each of `errors` raises its error.
template <class Convert, size_t N, size_t E>
void Check(Convert convert, const Case (&numbers)[N], const Case (&errors)[E]) {
    for (const Case& c : numbers) EXPECT_EQ(convert(c.text), c.result) << '"' << c.text << '"';
    for (const Case& c : errors) {
        try {
            convert(c.text);
            ADD_FAILURE() << "no error raised for \"" << c.text << '"';
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.result) << '"' << c.text << '"';
        }
    }
}

TEST(ConvertTest, SixteenBitReadsBlanksSignAndDigitsOnly) {
    const Case numbers[] = {
        {"1", 1},   {"0", 0},    {" 12 ", 12}, {"\t7", 7},       {"+5", 5},
        {"-7", -7}, {"- 3", -3}, {"007", 7},   {"32767", 32767}, {"-32768", -32768},
    };
    const Case errors[] = {
        {"32768", 6}, {"-32769", 6}, {"99999999999999999999999", 6},
        {"", 13},     {"   ", 13},   {"-", 13},
        {"abc", 13},  {"1.5", 13},   {"1 2", 13},
        {"&H10", 13}, {"1e3", 13},   {"+-1", 13},
        {"12a", 13},
    };
    Check(ToInt16, numbers, errors);
}

TEST(ConvertTest, ThirtyTwoBitRange) {
    const Case numbers[] = {
        {"3000", 3000},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL},
        {"-1", -1},
    };
    const Case errors[] = {{"2147483648", 6}, {"-2147483649", 6}, {"", 13}};
    Check(ToInt32, numbers, errors);
}

}  // namespace
}  // namespace velkor
