#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "migrate/PlaylistNames.h"
#include "migrate/Playlists.h"
#include "migrate/SamplePlaylist.h"

namespace {

const char* const PlaylistKeyPath = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Playlist";

// The sample playlist as the player reads it, with | standing for the folder.
std::string expectedSample(const std::string& folder, const std::string& name) {
    std::string text = "Lorimund's MIDI Player playlist file\r\n"
                       "\"" + name + "\";0;0;8\r\n"
                       "\"Sample Two\";\"|sample2.kar\";0\r\n"
                       "\"Sample Eight\";\"|sample8.kar\";1\r\n"
                       "\"Sample One\";\"|sample1.kar\";2\r\n"
                       "\"Sample Seven\";\"|sample7.mid\";3\r\n"
                       "\"Sample Three\";\"|sample3.mid\";4\r\n"
                       "\"Sample Four\";\"|sample4.mid\";5\r\n"
                       "\"Sample Five\";\"|sample5.mid\";6\r\n"
                       "\"Sample Six\";\"|sample6.mid\";7\r\n";
    for (size_t at; (at = text.find('|')) != std::string::npos;)
        text.replace(at, 1, folder);
    return text;
}

std::string lastPlaylist() {
    std::string last = "<none>";
    regGetString(HKEY_CURRENT_USER, PlaylistKeyPath, "Last", last);
    return last;
}

}  // namespace

TEST(SamplePlaylist, EachRunAddsANewFileAndMakesItCurrent) {
    RegistrySandbox sandbox;
    TempFolder dir;
    std::string first, second;
    ASSERT_TRUE(writeSamplePlaylist(KString(dir.path().c_str())));
    ASSERT_TRUE(readFile(dir / "Sample Playlist.kpl", first));
    EXPECT_EQ(expectedSample(dir.path(), "Sample Playlist"), first);
    EXPECT_EQ(dir / "Sample Playlist.kpl", lastPlaylist());

    ASSERT_TRUE(writeSamplePlaylist(KString(dir.path().c_str())));
    ASSERT_TRUE(readFile(dir / "Sample Playlist 2.kpl", second));
    EXPECT_EQ(expectedSample(dir.path(), "Sample Playlist 2"), second);
    EXPECT_EQ(dir / "Sample Playlist 2.kpl", lastPlaylist());
    ASSERT_TRUE(readFile(dir / "Sample Playlist.kpl", second));
    EXPECT_EQ(first, second);
}

TEST(SamplePlaylist, FailuresLeaveLastAlone) {
    RegistrySandbox sandbox;
    TempFolder dir;
    EXPECT_FALSE(writeSamplePlaylist(KString((dir / "missing\\").c_str())));
    EXPECT_EQ("<none>", lastPlaylist());
    // No key can be created below a volatile one: the file stays without "Last".
    HKEY player;
    RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Lorimund\\Lorimund's MIDI Player", 0, nullptr,
                    REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &player, nullptr);
    RegCloseKey(player);
    EXPECT_FALSE(writeSamplePlaylist(KString(dir.path().c_str())));
    EXPECT_TRUE(pathExists(dir / "Sample Playlist.kpl"));
    EXPECT_EQ("<none>", lastPlaylist());
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
