// The fake loop is what later tests of waits, prompts and timers stand on.
#include "fakes/FakeEventLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkor::test {
namespace {

TEST(FakeEventLoopTest, WaitEndsAtInputOrAtItsTimeout) {
    FakeEventLoop loop(0xFFFFFF00u);  // the tick count wraps 256 ms in
    std::vector<std::string> log;
    loop.at(100, [&] { log.push_back("click@" + std::to_string(loop.now())); });

    EXPECT_EQ(loop.WaitForInput(50), kWaitTimeout);
    EXPECT_EQ(loop.now(), 50u);
    EXPECT_EQ(loop.WaitForInput(1000), 0u);  // input at 100
    EXPECT_EQ(loop.now(), 100u);
    EXPECT_TRUE(log.empty());  // waiting does not dispatch
    loop.DispatchPending();
    EXPECT_EQ(log, std::vector<std::string>{"click@100"});
    EXPECT_EQ(loop.WaitForInput(400), kWaitTimeout);
    EXPECT_EQ(loop.TickCount(), static_cast<uint32_t>(0xFFFFFF00u + 500));
}

TEST(FakeEventLoopTest, InputMayRunANestedLoop) {
    FakeEventLoop loop;
    std::vector<std::string> log;
    loop.at(10, [&] {
        log.push_back("outer");
        while (loop.WaitForInput(kInfinite) == 0) {  // a modal loop inside a handler
            loop.DispatchPending();
            if (log.back() == "inner") break;
        }
        log.push_back("outer done");
    });
    loop.at(30, [&] { log.push_back("inner"); });
    loop.runScript();
    EXPECT_EQ(log, (std::vector<std::string>{"outer", "inner", "outer done"}));
    EXPECT_EQ(loop.now(), 30u);
}

TEST(FakeEventLoopTest, TimersTickWhileMessagesAreDispatched) {
    FakeEventLoop loop;
    int ticks = 0;
    EventLoop::TimerId id = loop.StartTimer(5000, [&] { ++ticks; });
    loop.runUntil(12000);
    EXPECT_EQ(ticks, 2);
    loop.StopTimer(id);
    loop.runUntil(30000);
    EXPECT_EQ(ticks, 2);
    EXPECT_THROW(loop.WaitForInput(kInfinite), std::logic_error);
}

}  // namespace
}  // namespace velkor::test
