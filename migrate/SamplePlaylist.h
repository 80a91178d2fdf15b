// The sample playlist of the eight sample songs, made the current playlist.
#ifndef LKP_MIGRATE_SAMPLEPLAYLIST_H
#define LKP_MIGRATE_SAMPLEPLAYLIST_H

#include "base/KString.h"

struct SampleSong {
    const char* title;
    const char* fileName;
};

const int SampleSongCount = 8;
extern const SampleSong SampleSongs[SampleSongCount];

// Writes a new playlist file into folder (which ends with a backslash) under
// the first free sample name and points "Last" at it. False when no name was
// free, the file could not be written completely (nothing is left behind) or
// "Last" could not be set (the file stays).
bool writeSamplePlaylist(const KString& folder);

#endif
