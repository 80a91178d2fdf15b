// The text of a playlist file (.kpl). Every line ends in "\n", which the
// file's text mode stores as carriage return and line feed.
#ifndef LKP_MIGRATE_PLAYLISTFORMAT_H
#define LKP_MIGRATE_PLAYLISTFORMAT_H

#include "base/KString.h"

// The signature line and the playlist line naming the list.
KString playlistHeader(const KString& name);
// One song: title, full path and position from 0. Fields are not escaped.
KString playlistEntryLine(const KString& title, const KString& path, int position);
// A playlist's name: its file name up to the last dot.
KString playlistNameOf(const KString& fileName);

#endif
