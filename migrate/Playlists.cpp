#include "migrate/Playlists.h"

#include <windows.h>

#include "app/Probes.h"
#include "migrate/PlaylistNames.h"

namespace {

// Characters read from one entry of the old list, the terminating zero included.
const int EntryTextSize = 1024;
// The shortest path the old product could have written before its ".dat".
const int MinSourceLength = 12;

}  // namespace

bool parseOldPlaylistEntry(const KString& entry, KString& source, KString& title) {
    int separator = entry.find('>');
    if (separator < MinSourceLength || separator + 1 >= entry.length())
        return false;
    if (entry.mid(separator - 4, 4) != ".dat")
        return false;
    source = entry.left(separator);
    title = entry.mid(separator + 1);
    return true;
}

void importOldPlaylists(const KString& profilePath, const KString& folder) {
    int count = static_cast<int>(GetPrivateProfileIntA("Playlist", "Number", 0, profilePath.chars()));
    for (int k = 1; k <= count; ++k) {
        KString keyName;
        keyName.format("List%d", k);
        KString entry;
        GetPrivateProfileStringA("Playlist", keyName.chars(), "", entry.getBuffer(EntryTextSize - 1),
                                 EntryTextSize, profilePath.chars());
        entry.releaseBuffer();

        KString source;
        KString title;
        if (!parseOldPlaylistEntry(entry, source, title) || !fileExists(source.chars()))
            continue;
        KString name;
        if (!findFreePlaylistName(folder, cleanPlaylistTitle(title), name))
            continue;
        // Moved only once the copy is safely there.
        if (CopyFileA(source.chars(), (folder + name).chars(), FALSE))
            DeleteFileA(source.chars());
    }
}
