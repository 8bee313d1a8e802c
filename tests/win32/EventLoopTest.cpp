// The message pump through the real API: what the start-up delay and the password
// prompt's polling stand on; and the single-copy check.
#include "win32/Win32EventLoop.h"

#include <gtest/gtest.h>

#include "program/WaitWithEvents.h"
#include "win32/Handles.h"
#include "win32/Win32System.h"

namespace velkor::win32 {
namespace {

int posted = 0;
LRESULT CALLBACK CountPosted(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++posted;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32EventLoopTest, WaitKeepsDispatchingMessages) {
    Win32EventLoop loop;

    WNDCLASSW cls{};
    cls.lpfnWndProc = CountPosted;
    cls.lpszClassName = L"VelkorTestTarget";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    posted = 0;
    PostMessageW(window, WM_APP, 0, 0);

    DWORD start = GetTickCount();
    EXPECT_EQ(WaitWithEvents(loop, 400), 258);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 390u);
    EXPECT_LT(elapsed, 2000u);
    EXPECT_EQ(posted, 1);
    DestroyWindow(window);
}

TEST(Win32EventLoopTest, ZeroAndNegativeWaitsReturnAtOnce) {
    Win32EventLoop loop;
    DWORD start = GetTickCount();
    EXPECT_EQ(WaitWithEvents(loop, 0), 258);
    EXPECT_EQ(WaitWithEvents(loop, -20), 258);
    EXPECT_LT(GetTickCount() - start, 100u);
}

// A copy in another session holds the machine-wide name: the one starting here is the second.
TEST(Win32InstanceTest, ACopyInAnotherSessionCounts) {
    UniqueKernelHandle other(CreateMutexW(nullptr, FALSE, L"Global\\Velkor.SingleInstance"));
    ASSERT_TRUE(other);
    EXPECT_TRUE(Win32Instance().AnotherIsRunning());
}

}  // namespace
}  // namespace velkor::win32
