#include <gtest/gtest.h>

#include "PrivateDesktop.h"
#include "app/Probes.h"

TEST(DialogControls, CheckStatesAndFitting) {
    PrivateDesktop desktop;
    ASSERT_TRUE(desktop.active());
    HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr,
                                nullptr, nullptr, nullptr);
    HWND box = CreateWindowA("BUTTON", "I &accept the agreement", WS_CHILD | BS_AUTO3STATE, 20,
                             30, 300, 20, parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
    ASSERT_NE(nullptr, box);

    setCheck(parent, 100, true);
    EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(getCheck(parent, 100));
    setCheck(parent, 100, false);
    EXPECT_FALSE(getCheck(parent, 100));
    SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_FALSE(getCheck(parent, 100));

    // Right edge, top and height stay; the width shrinks to text plus box.
    fitControlToText(parent, 100);
    RECT fitted;
    GetWindowRect(box, &fitted);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&fitted), 2);
    EXPECT_EQ(320, fitted.right);
    EXPECT_EQ(30, fitted.top);
    EXPECT_EQ(50, fitted.bottom);
    EXPECT_GT(fitted.right - fitted.left, 18 + 40);
    EXPECT_LT(fitted.right - fitted.left, 300);
    DestroyWindow(parent);
}
