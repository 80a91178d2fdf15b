// A test's private desktop must not take the process down with the desktop it
// left: Wine closes that one a second after its last thread goes, and the
// process's next windows, made on the private desktop, must still come.
#include <gtest/gtest.h>

#include <windows.h>

#include "PrivateDesktop.h"

namespace {

HWND makeWindow() {
    return CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         nullptr, nullptr);
}

}  // namespace

TEST(PrivateDesktop, WindowsComeAfterTheLeftDesktopWouldHaveClosed) {
    // A window on the process's own desktop first, as most test programs
    // make one before the suite that goes private.
    HWND before = makeWindow();
    ASSERT_NE(nullptr, before);
    DestroyWindow(before);
    for (int round = 0; round < 2; ++round) {
        PrivateDesktop desktop;
        ASSERT_TRUE(desktop.active);
        Sleep(2500);  // past the close delay of a desktop without threads
        HWND window = makeWindow();
        ASSERT_NE(nullptr, window) << "round " << round;
        DestroyWindow(window);
    }
    HWND after = makeWindow();
    EXPECT_NE(nullptr, after);
    DestroyWindow(after);
}
