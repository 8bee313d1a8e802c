// Every exception gets its number in one place. (The guard's one report with the handler's name,
// and its result, are seen in the handlers' tests.)
#include "program/ErrorCheck.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace velkor {
namespace {

TEST(ErrorCheckTest, ForeignExceptionsGetNumbersInOnePlace) {
    struct Case {
        std::function<void()> raise;
        int32_t number;
    };
    const Case cases[] = {
        {[] { throw RuntimeError(71, "Disk not ready"); }, 71},
        {[] { throw std::bad_alloc(); }, 7},
        {[] { throw std::out_of_range("index"); }, 9},
        {[] { throw std::runtime_error("boom"); }, 51},
        {[] { throw 42; }, 51},
    };
    for (const Case& c : cases) {
        std::optional<RuntimeError> error = Attempt(c.raise);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number(), c.number);
        EXPECT_FALSE(error->description().empty());
    }
    EXPECT_FALSE(Attempt([] {}).has_value());
}

}  // namespace
}  // namespace velkor
