#include <gtest/gtest.h>
#include <windows.h>

// The harness itself: a Windows program runs, sees Windows, and its output reaches ctest.
TEST(Harness, RunsUnderWindows) {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    ASSERT_TRUE(GetVersionExA(&vi));
    EXPECT_EQ(VER_PLATFORM_WIN32_NT, vi.dwPlatformId);
}
