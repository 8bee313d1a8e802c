// The single-copy check through the real API. (The message pump under the waits is seen by
// the password dialogs' tests, which wait on it while the user's steps are dispatched.)
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/Handles.h"
#include "win32/Win32System.h"

namespace velkor::win32 {
namespace {

// A copy in another session holds the machine-wide name: the one starting here is the second.
TEST(Win32InstanceTest, ACopyInAnotherSessionCounts) {
    UniqueKernelHandle other(CreateMutexW(nullptr, FALSE, L"Global\\Velkor.SingleInstance"));
    ASSERT_TRUE(other);
    EXPECT_TRUE(Win32Instance().AnotherIsRunning());
}

}  // namespace
}  // namespace velkor::win32
