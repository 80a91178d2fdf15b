// The earlier product's playlists, moved into the target folder as .kpl files.
#ifndef LKP_MIGRATE_PLAYLISTS_H
#define LKP_MIGRATE_PLAYLISTS_H

#include "base/KString.h"

// Splits an entry of the old playlist list, "path ending in .dat>title".
// False for anything else: no ">", nothing after it, fewer than 12
// characters before it, or a path not ending in ".dat" exactly.
bool parseOldPlaylistEntry(const KString& entry, KString& source, KString& title);

// Moves every listed playlist that still exists into folder (which ends with
// a backslash) under its cleaned title; a playlist that cannot be copied
// stays where it is. Nothing is reported.
void importOldPlaylists(const KString& profilePath, const KString& folder);

#endif
