// Names of new playlist files: never one that is already taken.
#ifndef LKP_MIGRATE_PLAYLISTNAMES_H
#define LKP_MIGRATE_PLAYLISTNAMES_H

#include "base/KString.h"

// The highest number tried after the plain name.
const int LastPlaylistNumber = 998;

// number 1 gives base + ".kpl"; 2 and more give base, a blank, the number, ".kpl".
KString playlistFileName(const KString& base, int number);
// Letters and digits of ASCII and the punctuation allowed in folder names.
bool isPlaylistTitleChar(char c);
// The title with every other character replaced by a blank.
KString cleanPlaylistTitle(const KString& title);
// The first name from playlistFileName(base, 1 .. LastPlaylistNumber) under
// which no file or folder exists in folder; false when all are taken.
bool findFreePlaylistName(const KString& folder, const KString& base, KString& name);

#endif
