#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "migrate/KaraokeCharSet.h"
#include "migrate/LayoutFile.h"
#include "migrate/Playlists.h"
#include "migrate/PlaylistNames.h"
#include "migrate/SamplePlaylist.h"

namespace {

std::string key(const char* group) {
    return std::string("SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\") + group;
}

// A value of the player's key read as the type it must have, "-" when missing.
std::string number(const char* group, const char* name) {
    return regNumber(HKEY_CURRENT_USER, key(group), name);
}
std::string text(const char* group, const char* name) {
    return regText(HKEY_CURRENT_USER, key(group), name);
}

}  // namespace

// The profile file lies in the one Windows folder: the tests that use it hold
// a mutex, so that test programs running side by side do not collide.
class OldIniFile : public ::testing::Test {
protected:
    void SetUp() override {
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
    HANDLE lock_ = CreateMutexA(nullptr, FALSE, "LkpTestMelkoIni");
    std::string path_;
};

TEST_F(OldIniFile, CarriesSettingsAndPlaylistsOverThenGoes) {
    TempFolder old;
    ASSERT_TRUE(writeFile(old / "songs.dat", "list"));
    const std::string longText(300, 'x');
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

    EXPECT_EQ("1", number("Main Window", "Autoplay"));  // replaces a value of another type
    EXPECT_EQ("5", number("Main Window", "Repeat"));    // not in the file
    EXPECT_EQ("0", number("Main Window", "Scan"));
    EXPECT_EQ("-", number("Main Window", "Volume"));
    EXPECT_EQ("C:\\Songs", text("Playlist", "Directory"));  // an empty text writes nothing
    EXPECT_EQ("3", number("Setup", "Output"));
    EXPECT_EQ("0", number("Setup", "Reset"));
    EXPECT_EQ("12", number("Setup", "FirstNote"));
    EXPECT_EQ("7", number("Setup", "RunningStatus"));  // the number that means "missing"
    EXPECT_EQ(longText.substr(0, 259), text("Setup", "UserReset"));
    EXPECT_EQ("-", number("Setup", "ScanEnd"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));  // no section
    EXPECT_TRUE(pathExists(dir_ / "Songs.kpl"));
    EXPECT_FALSE(pathExists(old / "songs.dat"));
    EXPECT_FALSE(pathExists(path_));
}

// Every setting of the old file, each with a distinct value: the numbers
// must arrive as REG_DWORD, the two texts as REG_SZ.
TEST_F(OldIniFile, EverySettingArrivesWithItsType) {
    const struct {
        const char *group, *name, *written;
        bool isText;
    } settings[] = {
        {"Main Window", "Autoplay", "1", false},    {"Main Window", "Repeat", "2", false},
        {"Main Window", "Scan", "3", false},        {"Karaoke Window", "AlwaysOnTop", "4", false},
        {"Playlist", "Directory", "C:\\Old Songs", true},
        {"Setup", "Output", "5", false},            {"Setup", "Reset", "6", false},
        {"Setup", "FirstNote", "7", false},         {"Setup", "RunningStatus", "8", false},
        {"Setup", "SkipRedundant", "9", false},     {"Setup", "UserReset", "F0 7E 7F F7", true},
        {"Setup", "SysexDelay", "10", false},       {"Setup", "ScanStart", "11", false},
        {"Setup", "ScanEnd", "12", false},          {"Setup", "ScanFade", "13", false},
        {"Setup", "ResetOnPause", "14", false}};
    std::string ini, section;
    for (const auto& s : settings) {
        if (section != s.group)
            ini += "[" + (section = s.group) + "]\r\n";
        ini += std::string(s.name) + "=" + s.written + "\r\n";
    }
    ASSERT_TRUE(writeFile(path_, ini));
    importOldIniFile();
    for (const auto& s : settings)
        EXPECT_EQ(s.written, s.isText ? text(s.group, s.name) : number(s.group, s.name))
            << s.group << "\\" << s.name;
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

TEST(LayoutFileAndCharSet, Decisions) {
    const char* const layouts[][2] = {{"D:\\Old\\basic.lyt", "moved"},
                                      {"C:\\Karaoke\\Skins\\my.lyt", "moved"},
                                      {"c:\\KARAOKE\\my.lyt", ""},
                                      {"basic.lyt", ""},
                                      {"D:\\Old\\", ""}};
    for (const auto& c : layouts)
        EXPECT_EQ(*c[1] != 0, layoutNeedsRedirect(KString(c[0]), KString("C:\\Karaoke\\")))
            << c[0];
    const UINT pages[][3] = {{1252, 850, 1}, {1252, 437, 1}, {1252, 866, 0}, {1251, 866, 0},
                             {932, 932, 0}};
    for (const auto& c : pages)
        EXPECT_EQ(c[2] == 1, isWesternCodePage(c[0], c[1])) << c[0] << "/" << c[1];

    RegistrySandbox sandbox;
    // The test prefix runs with a Western locale: "CharSet" is left alone.
    ASSERT_EQ(1252u, GetACP());
    ASSERT_EQ(437u, GetOEMCP());
    InstallOptions options;
    Installer(options, GetModuleHandleA(nullptr), nullptr).setKaraokeCharSet();
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key("Karaoke Window").c_str()));
    regSetDword(HKEY_CURRENT_USER, key("Karaoke Window").c_str(), "CharSet", 0);
    setKaraokeCharSetFor(1251, 866);
    EXPECT_EQ("1", number("Karaoke Window", "CharSet"));
}

TEST(SamplePlaylist, EachRunAddsANewFileAndMakesItCurrent) {
    RegistrySandbox sandbox;
    TempFolder dir;
    EXPECT_FALSE(writeSamplePlaylist(KString((dir / "missing\\").c_str())));
    EXPECT_EQ("-", text("Playlist", "Last"));
    // The sample playlist as the player reads it, with | standing for the folder.
    std::string first, second, expected = "\"Sample Two\";\"|sample2.kar\";0\r\n"
                                          "\"Sample Eight\";\"|sample8.kar\";1\r\n"
                                          "\"Sample One\";\"|sample1.kar\";2\r\n"
                                          "\"Sample Seven\";\"|sample7.mid\";3\r\n"
                                          "\"Sample Three\";\"|sample3.mid\";4\r\n"
                                          "\"Sample Four\";\"|sample4.mid\";5\r\n"
                                          "\"Sample Five\";\"|sample5.mid\";6\r\n"
                                          "\"Sample Six\";\"|sample6.mid\";7\r\n";
    for (size_t at; (at = expected.find('|')) != std::string::npos;)
        expected.replace(at, 1, dir.path());
    const std::string head = "Lorimund's MIDI Player playlist file\r\n\"Sample Playlist";
    ASSERT_TRUE(writeSamplePlaylist(KString(dir.path().c_str())));
    ASSERT_TRUE(readFile(dir / "Sample Playlist.kpl", first));
    EXPECT_EQ(head + "\";0;0;8\r\n" + expected, first);
    EXPECT_EQ(dir / "Sample Playlist.kpl", text("Playlist", "Last"));

    ASSERT_TRUE(writeSamplePlaylist(KString(dir.path().c_str())));
    ASSERT_TRUE(readFile(dir / "Sample Playlist 2.kpl", second));
    EXPECT_EQ(head + " 2\";0;0;8\r\n" + expected, second);
    EXPECT_EQ(dir / "Sample Playlist 2.kpl", text("Playlist", "Last"));
    ASSERT_TRUE(readFile(dir / "Sample Playlist.kpl", second));
    EXPECT_EQ(first, second);
}

TEST(SamplePlaylist, FileWithoutLastIsAFailure) {
    RegistrySandbox sandbox;
    TempFolder dir;
    // No key can be created below a volatile one.
    HKEY player;
    RegCreateKeyExA(HKEY_CURRENT_USER, key("").c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &player, nullptr);
    RegCloseKey(player);
    EXPECT_FALSE(writeSamplePlaylist(KString(dir.path().c_str())));
    EXPECT_TRUE(pathExists(dir / "Sample Playlist.kpl"));
    EXPECT_EQ("-", text("Playlist", "Last"));
}

TEST(OldPlaylists, EntriesAndTitles) {
    KString source, title;
    EXPECT_TRUE(parseOldPlaylistEntry(KString("C:\\lists\\a.dat>Rock"), source, title));
    EXPECT_STREQ("C:\\lists\\a.dat", source.chars());
    EXPECT_STREQ("Rock", title.chars());
    EXPECT_TRUE(parseOldPlaylistEntry(KString("C:\\abcde.dat>x"), source, title));  // 12 before
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\abcd.dat>x"), source, title));   // 11 before
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.dat"), source, title));
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.dat>"), source, title));
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.DAT>Rock"), source, title));

    EXPECT_STREQ("a b c d e f g h", cleanPlaylistTitle(KString("a/b:c\\d?e*f\"g\xE9h")).chars());
    EXPECT_STREQ("Az09 .$%'-_@{}~`!#(),+=;_[]",
                 cleanPlaylistTitle(KString("Az09 .$%'-_@{}~`!#(),+=;_[]")).chars());
    EXPECT_STREQ("Rock 998.kpl", playlistFileName(KString("Rock"), 998).chars());
}

TEST(OldPlaylists, MovesEveryListedPlaylistThatCanBeCopied) {
    TempFolder dir, old;
    writeFile(old / "rock.dat", "rock\r\n\x01\xFF");
    writeFile(old / "pop.dat", "pop");
    writeFile(old / "jazz.dat", "jazz");
    writeFile(old / "LOUD.DAT", "loud");
    writeFile(old / "extra.dat", "aux");
    writeFile(dir / "Rock.kpl", "mine");
    writeFile(old / "old.ini", "[Playlist]\r\nNumber=9\r\n"
                               "List1=" + old.path() + "rock.dat>Rock\r\n"
                               "List2=" + old.path() + "pop.dat>Pop: \"Best\"?\r\n"
                               "List3=" + old.path() + "LOUD.DAT>Loud\r\n"
                               "List4=" + old.path() + "gone.dat>Gone\r\n"
                               "List5=" + old.path() + "jazz.dat>Jazz\r\n"
                               "List6=" + old.path() + "extra.dat>Aux\r\n");
    // Held open without sharing, jazz.dat cannot be copied.
    HANDLE held = CreateFileA((old / "jazz.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    importOldPlaylists(KString((old / "old.ini").c_str()), KString(dir.path().c_str()));
    CloseHandle(held);

    std::string text;
    EXPECT_TRUE(readFile(dir / "Rock.kpl", text) && text == "mine");
    EXPECT_TRUE(readFile(dir / "Rock 2.kpl", text) && text == "rock\r\n\x01\xFF");
    EXPECT_TRUE(readFile(dir / "Pop   Best  .kpl", text) && text == "pop");
    // A device name reads as taken, so nothing is copied into the device.
    EXPECT_TRUE(readFile(dir / "Aux 2.kpl", text) && text == "aux");
    EXPECT_FALSE(pathExists(old / "rock.dat") || pathExists(old / "pop.dat"));
    EXPECT_TRUE(pathExists(old / "LOUD.DAT") && pathExists(old / "jazz.dat"));
    EXPECT_FALSE(pathExists(dir / "Loud.kpl") || pathExists(dir / "Jazz.kpl"));
}
