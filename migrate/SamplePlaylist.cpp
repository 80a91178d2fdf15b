#include "migrate/SamplePlaylist.h"

#include <windows.h>

#include <cstdio>

#include "app/Constants.h"
#include "app/Installer.h"
#include "base/KRegKey.h"
#include "migrate/PlaylistFormat.h"
#include "migrate/PlaylistNames.h"

const SampleSong SampleSongs[SampleSongCount] = {
    {"Sample Two", "sample2.kar"},    {"Sample Eight", "sample8.kar"},
    {"Sample One", "sample1.kar"},    {"Sample Seven", "sample7.mid"},
    {"Sample Three", "sample3.mid"},  {"Sample Four", "sample4.mid"},
    {"Sample Five", "sample5.mid"},   {"Sample Six", "sample6.mid"},
};

bool writeSamplePlaylist(const KString& folder) {
    KString name;
    if (!findFreePlaylistName(folder, KString("Sample Playlist"), name))
        return false;
    KString path = folder + name;
    // Text mode: every "\n" of the format is stored as CR LF.
    FILE* file = std::fopen(path.chars(), "w");
    if (!file)
        return false;
    std::fputs(playlistHeader(playlistNameOf(name)).chars(), file);
    bool failed = false;
    for (int i = 0; i < SampleSongCount && !failed; ++i) {
        std::fputs(playlistEntryLine(KString(SampleSongs[i].title), folder + SampleSongs[i].fileName, i)
                       .chars(),
                   file);
        failed = std::ferror(file) != 0;
    }
    // A full disk may show only when the buffer is flushed at the close.
    if (std::fclose(file) != 0)
        failed = true;
    if (failed) {
        DeleteFileA(path.chars());
        return false;
    }
    try {
        KRegKey currentUser(HKEY_CURRENT_USER);
        KRegKey playlist(currentUser, PlaylistKey.chars(), true);
        return playlist.writeString("Last", path);
    } catch (const KRegKey::E&) {
        return false;  // the playlist stays; the player just does not open it first
    }
}

void Installer::writeSamplePlaylist() {
    // The sequence goes on whatever the outcome.
    ::writeSamplePlaylist(folder_);
}
