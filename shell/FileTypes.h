// The pieces of the file-type step: the player's file class, the extension
// records, and the edit of Winamp's extension list.
#ifndef LKP_SHELL_FILETYPES_H
#define LKP_SHELL_FILETYPES_H

#include "base/KString.h"

// The class that the player's extensions name in HKEY_CLASSES_ROOT.
const char* const PlayerFileClass = "Lorimund.MIDI";
// The extensions the player takes, in the order every step walks them
// (not alphabetical).
const int PlayerExtensionCount = 4;
extern const char* const PlayerExtensions[PlayerExtensionCount];

// Moves the records of the earlier layout into the Filetype keys and makes
// sure that all four Filetype keys exist.
void migrateFileTypeRecords();

// Deletes the player's file class with everything in it and builds it anew.
void buildPlayerFileClass(const KString& folder);
// The quoted player path, without arguments: files arrive through DDE.
KString playerCommandLine(const KString& folder);

// Whether HKEY_CLASSES_ROOT\extension names the player's class, in any case.
bool isPlayerFileType(const char* extension);
// Records the extension's present state, then points it at the player.
void associateFileType(const char* extension);
// Gives the extension back from its record.
void restoreFileType(const char* extension);

// Removes the entry "mid" from Winamp's extension list and records the edit.
void removeMidFromWinamp();
bool findWinampIni(KString& path);
// winamp.ini beside the program that Winamp's icon value names.
bool winampIniFromIcon(KString icon, KString& path);
// Removes the first entry that is exactly "mid" (any case) from a colon-
// separated list; a leading entry goes without the colon that follows it.
// Longer entries such as "midi" stay whole. False when there is none.
bool removeMidEntry(KString& list);
// Gives the entry back: a list that lost its leading "mid" gets it back in
// front, any other list at its end. False when the list has an entry "mid"
// (any case) already.
bool addMidEntry(KString& list);
// The list "extlist" of section "Winamp" in ini, whole; false when it cannot
// be read whole.
bool readWinampExtList(const KString& ini, KString& list);

#endif
