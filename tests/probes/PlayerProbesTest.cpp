#include <gtest/gtest.h>

#include <string>

#include "PrivateDesktop.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/InstallOptions.h"
#include "app/Probes.h"

namespace {

// Holds a file open for writing without sharing, as a running program would.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// A hidden top-level window with the given title, for the window search.
class TitledWindow {
public:
    explicit TitledWindow(const char* title) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "LkpProbeTestWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("LkpProbeTestWindow", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~TitledWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }

private:
    HWND window_;
};

}  // namespace

TEST(PlayerProbes, FileLocks) {
    TempFolder dir;
    EXPECT_FALSE(isFileLocked((dir / "missing.dll").c_str()));
    ASSERT_TRUE(writeFile(dir / "closed.dll", "x"));
    EXPECT_FALSE(isFileLocked((dir / "closed.dll").c_str()));
    {
        HeldFile held(dir / "closed.dll");
        ASSERT_TRUE(held.held());
        EXPECT_TRUE(isFileLocked((dir / "closed.dll").c_str()));
    }
    EXPECT_FALSE(isFileLocked((dir / "closed.dll").c_str()));
    std::string contents;
    ASSERT_TRUE(readFile(dir / "closed.dll", contents));
    EXPECT_EQ("", contents);  // emptied by the CREATE_ALWAYS of the holder, not by the probe
}

TEST(PlayerProbes, WindowTitles) {
    EXPECT_TRUE(isPlayerWindowTitle("Lorimund's Karaoke Player"));
    EXPECT_TRUE(isPlayerWindowTitle("song.kar - Lorimund's Karaoke Player"));
    EXPECT_TRUE(isPlayerWindowTitle(" - Lorimund's Karaoke Player"));
    EXPECT_TRUE(isPlayerWindowTitle("Lorimund's MIDI Player"));
    EXPECT_TRUE(isPlayerWindowTitle("song.mid - Lorimund's MIDI Player"));
    EXPECT_TRUE(isPlayerWindowTitle(" - Lorimund's MIDI Player"));
    EXPECT_FALSE(isPlayerWindowTitle("Lorimund's Karaoke Player Installer"));
    EXPECT_FALSE(isPlayerWindowTitle("lorimund's karaoke player"));
    EXPECT_FALSE(isPlayerWindowTitle("song.kar-Lorimund's Karaoke Player"));
    EXPECT_FALSE(isPlayerWindowTitle("Lorimund's MIDI Playe"));  // 21 characters
    EXPECT_FALSE(isPlayerWindowTitle(""));
    EXPECT_FALSE(isPlayerWindowTitle(nullptr));
}

TEST(PlayerProbes, PlayerRunningFromTargetFolder) {
    PrivateDesktop desktop;
    ASSERT_TRUE(desktop.active());
    RegistrySandbox sandbox;
    TempFolder dir;
    InstallOptions options;
    std::string folder = dir.path();
    folder.pop_back();
    options.folder = (" " + folder + " ").c_str();
    bool onlyLibrary = false;
    ASSERT_TRUE(writeFile(dir / "melko.exe", "x"));
    ASSERT_TRUE(writeFile(dir / "tonal95.dll", "x"));
    {
        HeldFile player(dir / "melko.exe");
        ASSERT_TRUE(player.held());
        EXPECT_FALSE(isPlayerRunning(options, onlyLibrary));  // no player window
    }
    TitledWindow window("Lorimund's Karaoke Player");
    ASSERT_NE(nullptr, window.handle());
    EXPECT_FALSE(isPlayerRunning(options, onlyLibrary));
    {
        HeldFile library(dir / "tonal95.dll");
        ASSERT_TRUE(library.held());
        EXPECT_TRUE(isPlayerRunning(options, onlyLibrary));
        EXPECT_TRUE(onlyLibrary);
        HeldFile player(dir / "melko.exe");
        ASSERT_TRUE(player.held());
        EXPECT_TRUE(isPlayerRunning(options, onlyLibrary));
        EXPECT_FALSE(onlyLibrary);
    }
}

TEST(PlayerProbes, WindowFilterReadsWholeTitles) {
    PrivateDesktop desktop;
    ASSERT_TRUE(desktop.active());
    bool found = false;
    TitledWindow installer("Lorimund's Karaoke Player Installer");
    EXPECT_TRUE(playerWindowFilter(installer.handle(), reinterpret_cast<LPARAM>(&found)));
    EXPECT_FALSE(found);
    // A long song name must not cut the player's name off the end.
    std::string title(300, 'x');
    title += ".kar - Lorimund's Karaoke Player";
    TitledWindow player(title.c_str());
    EXPECT_FALSE(playerWindowFilter(player.handle(), reinterpret_cast<LPARAM>(&found)));
    EXPECT_TRUE(found);
}
