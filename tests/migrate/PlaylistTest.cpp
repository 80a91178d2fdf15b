#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "migrate/PlaylistNames.h"
#include "migrate/Playlists.h"
#include "migrate/SamplePlaylist.h"

namespace {

const char* const PlaylistKeyPath = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Playlist";

std::string samplePlaylist(const std::string& folder, const std::string& name) {
    const char* songs[][2] = {{"Two", "2.kar"},   {"Eight", "8.kar"}, {"One", "1.kar"},
                              {"Seven", "7.mid"}, {"Three", "3.mid"}, {"Four", "4.mid"},
                              {"Five", "5.mid"},  {"Six", "6.mid"}};
    std::string text = "Lorimund's MIDI Player playlist file\r\n\"" + name + "\";0;0;8\r\n";
    for (int i = 0; i < 8; ++i)
        text += "\"Sample " + std::string(songs[i][0]) + "\";\"" + folder + "sample" + songs[i][1] +
                "\";" + std::to_string(i) + "\r\n";
    return text;
}

KString ks(const std::string& s) { return KString(s.c_str()); }

}  // namespace

TEST(SamplePlaylist, WritesANewNumberedFileEachTimeAndMakesItCurrent) {
    RegistrySandbox sandbox;
    TempFolder dir;
    ASSERT_TRUE(writeSamplePlaylist(ks(dir.path())));
    std::string first;
    ASSERT_TRUE(readFile(dir / "Sample Playlist.kpl", first));
    EXPECT_EQ(samplePlaylist(dir.path(), "Sample Playlist"), first);
    std::string last;
    regGetString(HKEY_CURRENT_USER, PlaylistKeyPath, "Last", last);
    EXPECT_EQ(dir / "Sample Playlist.kpl", last);

    ASSERT_TRUE(writeSamplePlaylist(ks(dir.path())));
    std::string second, again;
    ASSERT_TRUE(readFile(dir / "Sample Playlist 2.kpl", second));
    EXPECT_EQ(samplePlaylist(dir.path(), "Sample Playlist 2"), second);
    ASSERT_TRUE(readFile(dir / "Sample Playlist.kpl", again));
    EXPECT_EQ(first, again);
    regGetString(HKEY_CURRENT_USER, PlaylistKeyPath, "Last", last);
    EXPECT_EQ(dir / "Sample Playlist 2.kpl", last);
}

TEST(SamplePlaylist, FailuresLeaveLastAlone) {
    RegistrySandbox sandbox;
    TempFolder dir;
    EXPECT_FALSE(writeSamplePlaylist(ks(dir / "missing\\")));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, PlaylistKeyPath, "Last"));

    // Every name taken, a folder among them.
    CreateDirectoryA((dir / "Sample Playlist.kpl").c_str(), nullptr);
    for (int n = 2; n <= 998; ++n)
        writeFile(dir / ("Sample Playlist " + std::to_string(n) + ".kpl"), "");
    EXPECT_FALSE(writeSamplePlaylist(ks(dir.path())));
    EXPECT_FALSE(pathExists(dir / "Sample Playlist 999.kpl"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, PlaylistKeyPath, "Last"));

    // The playlist key cannot be created below a volatile program key: the file stays.
    TempFolder other;
    HKEY player;
    RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Lorimund\\Lorimund's MIDI Player", 0, nullptr,
                    REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &player, nullptr);
    RegCloseKey(player);
    EXPECT_FALSE(writeSamplePlaylist(ks(other.path())));
    EXPECT_TRUE(pathExists(other / "Sample Playlist.kpl"));
}

TEST(OldPlaylists, TitlesBecomeFreeFileNames) {
    EXPECT_STREQ("a b c d e f g h", cleanPlaylistTitle(KString("a/b:c\\d?e*f\"g\xE9h")).chars());
    EXPECT_STREQ("Az09 .$%'-_@{}~`!#(),+=;_[]",
                 cleanPlaylistTitle(KString("Az09 .$%'-_@{}~`!#(),+=;_[]")).chars());
    EXPECT_STREQ("Rock.kpl", playlistFileName(KString("Rock"), 1).chars());
    EXPECT_STREQ("Rock 998.kpl", playlistFileName(KString("Rock"), 998).chars());
}

TEST(OldPlaylists, EntriesMustNameADatFileAndATitle) {
    KString source, title;
    EXPECT_TRUE(parseOldPlaylistEntry(KString("C:\\lists\\a.dat>Rock"), source, title));
    EXPECT_STREQ("C:\\lists\\a.dat", source.chars());
    EXPECT_STREQ("Rock", title.chars());
    EXPECT_TRUE(parseOldPlaylistEntry(KString("C:\\abcde.dat>x"), source, title));  // 12 before
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\abcd.dat>x"), source, title));   // 11 before
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.dat"), source, title));
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.dat>"), source, title));
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.DAT>Rock"), source, title));
    EXPECT_FALSE(parseOldPlaylistEntry(KString("C:\\lists\\a.txt>Rock"), source, title));
}

TEST(OldPlaylists, MovesEveryListedPlaylistThatCanBeCopied) {
    TempFolder dir, old;
    writeFile(old / "rock.dat", "rock\r\n\x01\xFF");
    writeFile(old / "pop.dat", "pop");
    writeFile(old / "jazz.dat", "jazz");
    writeFile(old / "LOUD.DAT", "loud");
    writeFile(dir / "Rock.kpl", "mine");
    writeFile(old / "old.ini", "[Playlist]\r\nNumber=9\r\n"
                               "List1=" + old.path() + "rock.dat>Rock\r\n"
                               "List2=" + old.path() + "pop.dat>Pop: \"Best\"?\r\n"
                               "List3=" + old.path() + "LOUD.DAT>Loud\r\n"
                               "List4=" + old.path() + "gone.dat>Gone\r\n"
                               "List5=" + old.path() + "jazz.dat>Jazz\r\n");
    // Held open without sharing, jazz.dat cannot be copied.
    HANDLE held = CreateFileA((old / "jazz.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    importOldPlaylists(ks(old / "old.ini"), ks(dir.path()));
    CloseHandle(held);

    std::string text;
    EXPECT_TRUE(readFile(dir / "Rock.kpl", text) && text == "mine");
    EXPECT_TRUE(readFile(dir / "Rock 2.kpl", text) && text == "rock\r\n\x01\xFF");
    EXPECT_TRUE(readFile(dir / "Pop   Best  .kpl", text) && text == "pop");
    EXPECT_FALSE(pathExists(old / "rock.dat"));
    EXPECT_FALSE(pathExists(old / "pop.dat"));
    EXPECT_TRUE(pathExists(old / "LOUD.DAT"));
    EXPECT_FALSE(pathExists(dir / "Loud.kpl"));
    EXPECT_TRUE(pathExists(old / "jazz.dat"));
    EXPECT_FALSE(pathExists(dir / "Jazz.kpl"));
}
