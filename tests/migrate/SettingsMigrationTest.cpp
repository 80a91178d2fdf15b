#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "migrate/KaraokeCharSet.h"
#include "migrate/LayoutFile.h"
#include "migrate/SettingsMigration.h"

namespace {

const char* const Player = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player";

std::string key(const char* group) { return std::string(Player) + "\\" + group; }

DWORD dword(const char* group, const char* name) {
    DWORD value = 0xDEADBEEF;
    regGetDword(HKEY_CURRENT_USER, key(group).c_str(), name, value);
    return value;
}

// A non-volatile key cannot be created below a volatile one: the registry's
// own way of refusing a key creation.
void createVolatileKey(const std::string& path) {
    HKEY created;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                             &created, nullptr));
    RegCloseKey(created);
}

}  // namespace

TEST(ImportIniSettings, CopiesWhatTheFileHoldsAndKeepsTheRest) {
    RegistrySandbox sandbox;
    TempFolder dir;
    std::string longText(300, 'x');
    ASSERT_TRUE(writeFile(dir / "old.ini",
                          "[Main Window]\r\nAutoplay=1\r\nScan=0\r\nVolume=9\r\n"
                          "[Playlist]\r\nDirectory=\r\n"
                          "[Setup]\r\nOutput=3\r\nReset=abc\r\nFirstNote=12abc\r\n"
                          "RunningStatus=2147483647\r\nUserReset=" + longText + "\r\n"));
    regSetDword(HKEY_CURRENT_USER, key("Main Window").c_str(), "Repeat", 5);
    regSetString(HKEY_CURRENT_USER, key("Main Window").c_str(), "Autoplay", "old");
    regSetString(HKEY_CURRENT_USER, key("Playlist").c_str(), "Directory", "C:\\Songs");
    regSetDword(HKEY_CURRENT_USER, key("Setup").c_str(), "RunningStatus", 7);

    importIniSettings(KString((dir / "old.ini").c_str()));

    EXPECT_EQ(1u, dword("Main Window", "Autoplay"));  // replaces a value of another type
    EXPECT_EQ(5u, dword("Main Window", "Repeat"));    // not in the file
    EXPECT_EQ(0u, dword("Main Window", "Scan"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, key("Main Window").c_str(), "Volume"));
    std::string text;
    EXPECT_TRUE(regGetString(HKEY_CURRENT_USER, key("Playlist").c_str(), "Directory", text));
    EXPECT_EQ("C:\\Songs", text);  // an empty text writes nothing
    EXPECT_EQ(3u, dword("Setup", "Output"));
    EXPECT_EQ(0u, dword("Setup", "Reset"));
    EXPECT_EQ(12u, dword("Setup", "FirstNote"));
    EXPECT_EQ(7u, dword("Setup", "RunningStatus"));  // the missing-number marker
    EXPECT_TRUE(regGetString(HKEY_CURRENT_USER, key("Setup").c_str(), "UserReset", text));
    EXPECT_EQ(longText.substr(0, 259), text);
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, key("Setup").c_str(), "ScanEnd"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));  // empty section
}

TEST(ImportIniSettings, AGroupThatCannotBeCreatedIsLeftOut) {
    RegistrySandbox sandbox;
    TempFolder dir;
    ASSERT_TRUE(writeFile(dir / "old.ini", "[Main Window]\r\nAutoplay=1\r\n"
                                           "[Karaoke Window]\r\nAlwaysOnTop=1\r\n"));
    createVolatileKey(key("Karaoke Window"));  // exists, so it opens; its siblings cannot be made
    importIniSettings(KString((dir / "old.ini").c_str()));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Main Window").c_str()));
    EXPECT_EQ(1u, dword("Karaoke Window", "AlwaysOnTop"));
}

// Every test that touches the one profile file in the Windows folder holds
// this mutex, so that test programs running side by side do not collide.
class OldIniFile : public ::testing::Test {
protected:
    void SetUp() override {
        lock_ = CreateMutexA(nullptr, FALSE, "LkpTestMelkoIni");
        WaitForSingleObject(lock_, INFINITE);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        path_ = std::string(windows) + "\\melko.ini";
        DeleteFileA(path_.c_str());
    }
    void TearDown() override {
        DeleteFileA(path_.c_str());
        ReleaseMutex(lock_);
        CloseHandle(lock_);
    }
    void install() {
        InstallOptions options;
        options.folder = dir_.path().c_str();
        Installer(options, GetModuleHandleA(nullptr), nullptr).importOldIniFile();
    }

    RegistrySandbox sandbox_;
    TempFolder dir_;
    HANDLE lock_ = nullptr;
    std::string path_;
};

TEST_F(OldIniFile, ImportsSettingsAndPlaylistsThenDeletesTheFile) {
    TempFolder old;
    ASSERT_TRUE(writeFile(old / "songs.dat", "list"));
    ASSERT_TRUE(writeFile(path_, "[Karaoke Window]\r\nAlwaysOnTop=1\r\n[Playlist]\r\nNumber=1\r\n"
                                 "List1=" + old.path() + "songs.dat>Songs\r\n"));
    install();
    EXPECT_EQ(1u, dword("Karaoke Window", "AlwaysOnTop"));
    EXPECT_TRUE(pathExists(dir_ / "Songs.kpl"));
    EXPECT_FALSE(pathExists(old / "songs.dat"));
    EXPECT_FALSE(pathExists(path_));
}

TEST_F(OldIniFile, IsDeletedEvenWhenNothingImports) {
    createVolatileKey("SOFTWARE\\Lorimund");  // the program key cannot be created
    ASSERT_TRUE(writeFile(path_, "[Main Window]\r\nAutoplay=1\r\n"));
    install();
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, Player));
    EXPECT_FALSE(pathExists(path_));
}

TEST_F(OldIniFile, WithoutTheFileNothingHappens) {
    install();
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Setup").c_str()));
}

TEST(LayoutFile, OnlyAFileOutsideTheFolderItselfIsRedirected) {
    KString folder("C:\\Karaoke\\");
    EXPECT_TRUE(layoutNeedsRedirect(KString("D:\\Old\\basic.lyt"), folder));
    EXPECT_TRUE(layoutNeedsRedirect(KString("C:\\Karaoke\\Skins\\my.lyt"), folder));
    EXPECT_FALSE(layoutNeedsRedirect(KString("c:\\KARAOKE\\my.lyt"), folder));
    EXPECT_FALSE(layoutNeedsRedirect(KString("basic.lyt"), folder));
    EXPECT_FALSE(layoutNeedsRedirect(KString("D:\\Old\\"), folder));
}

TEST(LayoutFile, RewritesTheSettingOnlyWhenItExists) {
    RegistrySandbox sandbox;
    KString folder("C:\\Karaoke\\");
    redirectLayoutFile(folder);
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Layout").c_str()));
    regSetString(HKEY_CURRENT_USER, key("Layout").c_str(), "File", "D:\\Old\\basic.lyt");
    redirectLayoutFile(folder);
    std::string file;
    regGetString(HKEY_CURRENT_USER, key("Layout").c_str(), "File", file);
    EXPECT_EQ("C:\\Karaoke\\basic.lyt", file);
}

TEST(KaraokeCharSet, OnlyWesternCodePagesKeepThePlayersChoice) {
    EXPECT_TRUE(isWesternCodePage(1252, 850));
    EXPECT_TRUE(isWesternCodePage(1252, 437));
    EXPECT_FALSE(isWesternCodePage(1252, 866));
    EXPECT_FALSE(isWesternCodePage(1251, 866));
    EXPECT_FALSE(isWesternCodePage(932, 932));

    RegistrySandbox sandbox;
    setKaraokeCharSetFor(1252, 850);
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));
    regSetDword(HKEY_CURRENT_USER, key("Karaoke Window").c_str(), "CharSet", 0);
    setKaraokeCharSetFor(1251, 866);
    EXPECT_EQ(1u, dword("Karaoke Window", "CharSet"));
}

TEST(KaraokeCharSet, StepLeavesAWesternSystemAlone) {
    // The test prefix runs with a Western locale.
    ASSERT_EQ(1252u, GetACP());
    ASSERT_EQ(437u, GetOEMCP());
    RegistrySandbox sandbox;
    InstallOptions options;
    Installer(options, GetModuleHandleA(nullptr), nullptr).setKaraokeCharSet();
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));
}
