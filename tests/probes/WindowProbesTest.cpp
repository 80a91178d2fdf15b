#include <gtest/gtest.h>

#include <string>

#include "HeldFile.h"
#include "PrivateDesktop.h"
#include "TempFolder.h"
#include "app/InstallOptions.h"
#include "app/Probes.h"

namespace {

// A top-level window of this thread alone, on the private desktop.
class WindowProbes : public testing::Test {
protected:
    ~WindowProbes() override { DestroyWindow(window); }
    PrivateDesktop desktop;
    HWND window = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr,
                                nullptr, nullptr, nullptr);
};

}  // namespace

TEST_F(WindowProbes, CheckStatesAndFitting) {
    ASSERT_TRUE(desktop.active && window != nullptr);
    HWND box = CreateWindowA("BUTTON", "I &accept the agreement", WS_CHILD | BS_AUTO3STATE, 20,
                             30, 300, 20, window, reinterpret_cast<HMENU>(100), nullptr, nullptr);
    ASSERT_NE(nullptr, box);
    setCheck(window, 100, true);
    EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(getCheck(window, 100));
    setCheck(window, 100, false);
    EXPECT_FALSE(getCheck(window, 100));
    SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_FALSE(getCheck(window, 100));
    // Right edge, top and height stay; the width shrinks to text plus box.
    fitControlToText(window, 100);
    RECT fitted;
    GetWindowRect(box, &fitted);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&fitted), 2);
    EXPECT_EQ(320, fitted.right);
    EXPECT_EQ(30, fitted.top);
    EXPECT_EQ(50, fitted.bottom);
    EXPECT_GT(fitted.right - fitted.left, 18 + 40);
    EXPECT_LT(fitted.right - fitted.left, 300);
}

TEST_F(WindowProbes, PlayerWindowAndFiles) {
    ASSERT_TRUE(desktop.active && window != nullptr);
    const struct { std::string title; bool player; } titles[] = {
        {"Lorimund's Karaoke Player", true}, {"song.kar - Lorimund's Karaoke Player", true},
        {"Lorimund's MIDI Player", true}, {" - Lorimund's MIDI Player", true},
        {std::string(300, 'x') + " - Lorimund's Karaoke Player", true},  // not cut off
        {"Lorimund's Karaoke Player Installer", false},
        {"song.kar - lorimund's karaoke player", false},
        {"song.kar-Lorimund's Karaoke Player", false}, {"Lorimund's MIDI Playe", false},
    };
    for (const auto& t : titles) {
        ASSERT_TRUE(SetWindowTextA(window, t.title.c_str()));
        bool found = false;
        EXPECT_EQ(!t.player, playerWindowFilter(window, reinterpret_cast<LPARAM>(&found)) != FALSE);
        EXPECT_EQ(t.player, found) << t.title;
    }
    EXPECT_FALSE(isPlayerWindowTitle(nullptr));

    TempFolder dir;
    InstallOptions options;
    options.folder = (" " + dir.path().substr(0, dir.path().size() - 1) + " ").c_str();
    bool onlyLibrary = false;
    SetWindowTextA(window, "Lorimund's Karaoke Player");
    EXPECT_FALSE(isFileLocked((dir / "tonal95.dll").c_str()));  // missing
    EXPECT_FALSE(isPlayerRunning(options, onlyLibrary));
    ASSERT_TRUE(writeFile(dir / "melko.exe", "x"));  // present, but not held
    {
        HeldFile library(dir / "tonal95.dll");
        EXPECT_TRUE(isFileLocked((dir / "tonal95.dll").c_str()));
        EXPECT_TRUE(isPlayerRunning(options, onlyLibrary));
        EXPECT_TRUE(onlyLibrary);
        HeldFile player(dir / "melko.exe");
        EXPECT_TRUE(isPlayerRunning(options, onlyLibrary));
        EXPECT_FALSE(onlyLibrary);
        SetWindowTextA(window, "Notepad");
        EXPECT_FALSE(isPlayerRunning(options, onlyLibrary));  // no player window
    }
}
