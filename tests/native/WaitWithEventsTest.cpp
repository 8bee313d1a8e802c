#include "program/WaitWithEvents.h"

#include <gtest/gtest.h>

#include "fakes/FakeEventLoop.h"

namespace velkor {
namespace {

TEST(WaitWithEventsTest, WaitsTheTimeAcrossTheWrapOfTheTickCount) {
    const uint32_t starts[] = {0u, 0xFFFFF000u, 0x7FFFFF00u};  // plain, wrapping, sign change
    for (uint32_t start : starts) {
        test::FakeEventLoop loop(start);
        int clicks = 0;
        loop.at(1000, [&] { ++clicks; });  // input during the wait is dispatched
        loop.at(2500, [&] { ++clicks; });
        EXPECT_EQ(WaitWithEvents(loop, 3000), 258) << start;
        EXPECT_EQ(loop.now(), 3000u) << start;
        EXPECT_EQ(clicks, 2) << start;
    }
}

TEST(WaitWithEventsTest, NegativeOrZeroTimesDoNotWait) {
    test::FakeEventLoop loop(0xFFFFFFF0u);
    EXPECT_EQ(WaitWithEvents(loop, -5), 258);
    EXPECT_EQ(loop.waitCalls(), 0);
    EXPECT_EQ(WaitWithEvents(loop, 0), 258);
    EXPECT_EQ(loop.waitCalls(), 1);  // one wait that does not block: the clock stands
    EXPECT_EQ(loop.now(), 0u);
}

}  // namespace
}  // namespace velkor
