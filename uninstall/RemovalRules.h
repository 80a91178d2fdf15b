// What the uninstaller may act on, as plain rules on what it has read: the
// program folder from the uninstall entry, the records under the program
// key, the sample playlists. The records are anyone's to write, while the
// uninstaller runs with administrator rights: a record that is not what the
// installer writes is skipped, and the rest goes on.
#ifndef LKP_UNINSTALL_REMOVALRULES_H
#define LKP_UNINSTALL_REMOVALRULES_H

#include <windows.h>

#include "base/KString.h"

// The program folder that the entry's "UninstallString" names, with a
// trailing backslash: a folder that the installer accepts (drive, colon,
// backslash, the folder page's characters) followed by "\remove.exe"; no
// "." or ".." step. False for anything else.
bool programFolderFromUninstallString(KString command, KString& folder);

// A value of a record as it was read: not there, readable as its type, or
// there but of another type or too long.
enum class RecordState { Missing, Sound, Damaged };
struct DwordRecord {
    RecordState state = RecordState::Missing;
    DWORD value = 0;
};
struct StringRecord {
    RecordState state = RecordState::Missing;
    KString value;
};

// What to do with a record: give its change back, or only delete the record
// (there is nothing left to give back), or leave it alone (it is damaged).
enum class RecordAction { GiveBack, Forget, Keep };

// A file-type record: "Register", "ExistedBefore", "DefaultValue", and
// whether the extension still names the player's class. Given back only when
// the player still has the extension; flags other than 0 and 1 are damaged.
RecordAction judgeFileTypeRecord(const DwordRecord& registered, const DwordRecord& existedBefore,
                                 const StringRecord& defaultValue, bool extensionIsPlayers);
// Winamp's flag "Studio": 1 gives "mid" back, 0 is nothing to give back.
RecordAction judgeStudioRecord(const DwordRecord& studio);
// A plug-in record of "\Backup\Plugin": its value name must be one that the
// installer writes ("Netscape 3", "Netscape 4.x...", "Internet Explorer") and
// its path a full path of "npmelko.dll".
RecordAction judgePluginRecord(const KString& valueName, const StringRecord& path);
// A shortcut record: a full path of a ".lnk" file.
RecordAction judgeShortcutRecord(const StringRecord& path);
// A saved class or mapping ("\Backup\Plugin\CLSID", "\Backup\Plugin\Embed"):
// a string; put back only where the place is empty ("placeTaken" false).
RecordAction judgeSavedValue(const StringRecord& saved, bool placeTaken);

// "Sample Playlist.kpl", or "Sample Playlist N.kpl" with N from 2 to 998
// written as the installer writes it (no leading zero).
bool isSamplePlaylistName(const KString& fileName);
// The bytes that the installer writes into the sample playlist fileName in
// folder (which ends with a backslash): lines ending in CR LF.
KString samplePlaylistBytes(const KString& folder, const KString& fileName);

#endif
