#include "program/ErrorCheck.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "fakes/FakeDialogs.h"
#include "program/Program.h"

namespace velkor {
namespace {

TEST(ErrorCheckTest, GuardReportsOnce) {
    test::FakeDialogs dialogs;
    bool finished =
        Guarded(dialogs, "frmVelkor.Form_Load()", [] { throw RuntimeError(53, "File not found"); });
    EXPECT_FALSE(finished);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, ErrorReportText(53, "File not found", "frmVelkor.Form_Load()"));

    EXPECT_TRUE(Guarded(dialogs, "x()", [] {}));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

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
