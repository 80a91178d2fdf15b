#include <gtest/gtest.h>

#include <string>

#include "PrivateDesktop.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/InstallOptions.h"
#include "app/Probes.h"

namespace {

// Holds a file open for writing without sharing, as a running program would.
struct HeldFile {
    explicit HeldFile(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() { CloseHandle(handle); }
    HANDLE handle;
};

HWND createTitledWindow(const char* title) {
    return CreateWindowA("STATIC", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         nullptr, nullptr);
}

}  // namespace

TEST(PlayerProbes, FileLocks) {
    TempFolder dir;
    EXPECT_FALSE(isFileLocked((dir / "missing.dll").c_str()));
    ASSERT_TRUE(writeFile(dir / "plain.dll", "x"));
    EXPECT_FALSE(isFileLocked((dir / "plain.dll").c_str()));
    {
        HeldFile held(dir / "plain.dll");
        ASSERT_NE(INVALID_HANDLE_VALUE, held.handle);
        EXPECT_TRUE(isFileLocked((dir / "plain.dll").c_str()));
    }
    EXPECT_FALSE(isFileLocked((dir / "plain.dll").c_str()));
}

TEST(PlayerProbes, WindowTitles) {
    EXPECT_TRUE(isPlayerWindowTitle("Lorimund's Karaoke Player"));
    EXPECT_TRUE(isPlayerWindowTitle("song.kar - Lorimund's Karaoke Player"));
    EXPECT_TRUE(isPlayerWindowTitle("Lorimund's MIDI Player"));
    EXPECT_TRUE(isPlayerWindowTitle(" - Lorimund's MIDI Player"));
    EXPECT_FALSE(isPlayerWindowTitle("Lorimund's Karaoke Player Installer"));
    EXPECT_FALSE(isPlayerWindowTitle("song.kar - lorimund's karaoke player"));
    EXPECT_FALSE(isPlayerWindowTitle("song.kar-Lorimund's Karaoke Player"));
    EXPECT_FALSE(isPlayerWindowTitle("Lorimund's MIDI Playe"));  // 21 characters
    EXPECT_FALSE(isPlayerWindowTitle(nullptr));
}

TEST(PlayerProbes, PlayerRunningFromTargetFolder) {
    PrivateDesktop desktop;
    ASSERT_TRUE(desktop.active());
    RegistrySandbox sandbox;
    TempFolder dir;
    InstallOptions options;
    options.folder = (" " + dir.path().substr(0, dir.path().size() - 1) + " ").c_str();
    bool onlyLibrary = false;
    {
        HeldFile player(dir / "melko.exe");
        EXPECT_FALSE(isPlayerRunning(options, onlyLibrary));  // no player window
    }
    ASSERT_TRUE(DeleteFileA((dir / "melko.exe").c_str()));
    HWND window = createTitledWindow("Lorimund's Karaoke Player");
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(isPlayerRunning(options, onlyLibrary));  // no player files
    {
        HeldFile library(dir / "tonal95.dll");
        EXPECT_TRUE(isPlayerRunning(options, onlyLibrary));
        EXPECT_TRUE(onlyLibrary);
        HeldFile player(dir / "melko.exe");
        EXPECT_TRUE(isPlayerRunning(options, onlyLibrary));
        EXPECT_FALSE(onlyLibrary);
    }
    DestroyWindow(window);

    // A long song name must not cut the player's name off the end.
    window = createTitledWindow((std::string(300, 'x') + " - Lorimund's Karaoke Player").c_str());
    bool found = false;
    EXPECT_FALSE(playerWindowFilter(window, reinterpret_cast<LPARAM>(&found)));
    EXPECT_TRUE(found);
    DestroyWindow(window);
}
