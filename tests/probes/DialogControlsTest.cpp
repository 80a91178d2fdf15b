#include <gtest/gtest.h>

#include "PrivateDesktop.h"
#include "app/Probes.h"

namespace {

const int BoxId = 100;

RECT placeInParent(HWND parent, HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

}  // namespace

TEST(DialogControls, CheckStatesAndFitting) {
    PrivateDesktop desktop;
    ASSERT_TRUE(desktop.active());
    HWND parent = CreateWindowA("STATIC", "controls", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, parent);
    HWND box = CreateWindowA("BUTTON", "I &accept the agreement", WS_CHILD | BS_AUTO3STATE, 20,
                             30, 300, 20, parent, reinterpret_cast<HMENU>(BoxId), nullptr, nullptr);
    ASSERT_NE(nullptr, box);

    setCheck(parent, BoxId, true);
    EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(getCheck(parent, BoxId));
    setCheck(parent, BoxId, false);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
    EXPECT_FALSE(getCheck(parent, BoxId));
    SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_FALSE(getCheck(parent, BoxId));

    // The control keeps its right edge, top and height, and takes the width
    // of its text plus room for the box.
    fitControlToText(parent, BoxId);
    RECT fitted = placeInParent(parent, box);
    EXPECT_EQ(320, fitted.right);
    EXPECT_EQ(30, fitted.top);
    EXPECT_EQ(20, fitted.bottom - fitted.top);
    int width = fitted.right - fitted.left;
    EXPECT_GT(width, 18 + 40);
    EXPECT_LT(width, 300);
    SetWindowTextA(box, "I &accept the agreement and all that follows");
    fitControlToText(parent, BoxId);
    EXPECT_GT(placeInParent(parent, box).right - placeInParent(parent, box).left, width);
    EXPECT_EQ(320, placeInParent(parent, box).right);

    DestroyWindow(parent);
}
