#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "migrate/KaraokeCharSet.h"
#include "migrate/LayoutFile.h"

namespace {

std::string key(const char* group) {
    return std::string("SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\") + group;
}

DWORD dword(const char* group, const char* name) {
    DWORD value = 0xDEADBEEF;
    regGetDword(HKEY_CURRENT_USER, key(group).c_str(), name, value);
    return value;
}

}  // namespace

// The profile file lies in the one Windows folder: the tests that use it hold
// a mutex, so that test programs running side by side do not collide.
class OldIniFile : public ::testing::Test {
protected:
    void SetUp() override {
        lock_ = CreateMutexA(nullptr, FALSE, "LkpTestMelkoIni");
        WaitForSingleObject(lock_, INFINITE);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        path_ = std::string(windows) + "\\melko.ini";
    }
    void TearDown() override {
        DeleteFileA(path_.c_str());
        ReleaseMutex(lock_);
        CloseHandle(lock_);
    }
    void importOldIniFile() {
        InstallOptions options;
        options.folder = dir_.path().c_str();
        Installer(options, GetModuleHandleA(nullptr), nullptr).importOldIniFile();
    }

    RegistrySandbox sandbox_;
    TempFolder dir_;
    HANDLE lock_ = nullptr;
    std::string path_;
};

TEST_F(OldIniFile, CarriesSettingsAndPlaylistsOverThenGoes) {
    TempFolder old;
    ASSERT_TRUE(writeFile(old / "songs.dat", "list"));
    std::string longText(300, 'x');
    ASSERT_TRUE(writeFile(path_, "[Main Window]\r\nAutoplay=1\r\nScan=0\r\nVolume=9\r\n"
                                 "[Playlist]\r\nDirectory=\r\nNumber=1\r\n"
                                 "List1=" + old.path() + "songs.dat>Songs\r\n"
                                 "[Setup]\r\nOutput=3\r\nReset=abc\r\nFirstNote=12abc\r\n"
                                 "RunningStatus=2147483647\r\nUserReset=" + longText + "\r\n"));
    regSetDword(HKEY_CURRENT_USER, key("Main Window").c_str(), "Repeat", 5);
    regSetString(HKEY_CURRENT_USER, key("Main Window").c_str(), "Autoplay", "old");
    regSetString(HKEY_CURRENT_USER, key("Playlist").c_str(), "Directory", "C:\\Songs");
    regSetDword(HKEY_CURRENT_USER, key("Setup").c_str(), "RunningStatus", 7);

    importOldIniFile();

    EXPECT_EQ(1u, dword("Main Window", "Autoplay"));  // replaces a value of another type
    EXPECT_EQ(5u, dword("Main Window", "Repeat"));    // not in the file
    EXPECT_EQ(0u, dword("Main Window", "Scan"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, key("Main Window").c_str(), "Volume"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));  // no section
    std::string text;
    regGetString(HKEY_CURRENT_USER, key("Playlist").c_str(), "Directory", text);
    EXPECT_EQ("C:\\Songs", text);  // an empty text writes nothing
    EXPECT_EQ(3u, dword("Setup", "Output"));
    EXPECT_EQ(0u, dword("Setup", "Reset"));
    EXPECT_EQ(12u, dword("Setup", "FirstNote"));
    EXPECT_EQ(7u, dword("Setup", "RunningStatus"));  // the number that means "missing"
    regGetString(HKEY_CURRENT_USER, key("Setup").c_str(), "UserReset", text);
    EXPECT_EQ(longText.substr(0, 259), text);
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, key("Setup").c_str(), "ScanEnd"));
    EXPECT_TRUE(pathExists(dir_ / "Songs.kpl"));
    EXPECT_FALSE(pathExists(old / "songs.dat"));
    EXPECT_FALSE(pathExists(path_));
}

TEST_F(OldIniFile, GoesEvenWhenNothingImports) {
    // No key can be created below a volatile one: the program key cannot be.
    HKEY parent;
    RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Lorimund", 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &parent, nullptr);
    RegCloseKey(parent);
    ASSERT_TRUE(writeFile(path_, "[Main Window]\r\nAutoplay=1\r\n"));
    importOldIniFile();
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Main Window").c_str()));
    EXPECT_FALSE(pathExists(path_));
}

TEST(LayoutFile, OnlyAFileOutsideTheFolderItselfIsRedirected) {
    KString folder("C:\\Karaoke\\");
    EXPECT_TRUE(layoutNeedsRedirect(KString("D:\\Old\\basic.lyt"), folder));
    EXPECT_TRUE(layoutNeedsRedirect(KString("C:\\Karaoke\\Skins\\my.lyt"), folder));
    EXPECT_FALSE(layoutNeedsRedirect(KString("c:\\KARAOKE\\my.lyt"), folder));
    EXPECT_FALSE(layoutNeedsRedirect(KString("basic.lyt"), folder));
    EXPECT_FALSE(layoutNeedsRedirect(KString("D:\\Old\\"), folder));
}

TEST(KaraokeCharSet, SetOnlyOnNonWesternCodePages) {
    EXPECT_TRUE(isWesternCodePage(1252, 850));
    EXPECT_TRUE(isWesternCodePage(1252, 437));
    EXPECT_FALSE(isWesternCodePage(1252, 866));
    EXPECT_FALSE(isWesternCodePage(1251, 866));
    EXPECT_FALSE(isWesternCodePage(932, 932));

    RegistrySandbox sandbox;
    // The test prefix runs with a Western locale.
    ASSERT_EQ(1252u, GetACP());
    ASSERT_EQ(437u, GetOEMCP());
    InstallOptions options;
    Installer(options, GetModuleHandleA(nullptr), nullptr).setKaraokeCharSet();
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));
    regSetDword(HKEY_CURRENT_USER, key("Karaoke Window").c_str(), "CharSet", 0);
    setKaraokeCharSetFor(1251, 866);
    EXPECT_EQ(1u, dword("Karaoke Window", "CharSet"));
}
