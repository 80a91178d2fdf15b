// Which file records may be acted on. The records live under
// HKEY_CURRENT_USER, which any program of the user can write, while the
// installer and the uninstaller run with administrator rights: a path read
// from a record is deleted only when it names the kind of file that the
// installer itself recorded there.
#ifndef LKP_SHELL_RECORDRULES_H
#define LKP_SHELL_RECORDRULES_H

#include "base/KString.h"

// A full path of a file as the installer records one: a drive letter, a
// colon and a backslash, or a share ("\\server\share\..."); shorter than
// MAX_PATH; no "." or ".." step, no empty step, no stream (":"), no wildcard,
// no forward slash, no control character; not ending in a backslash.
bool isFullFilePath(const KString& path);
// No step of a backslash-separated path is "." or "..".
bool hasNoDotSteps(const KString& path);

// A shortcut record: a full path of a ".lnk" file (any case).
bool isShortcutRecordPath(const KString& path);
// A plug-in record: a full path of a file called "npmelko.dll" (any case).
bool isPluginRecordPath(const KString& path);

#endif
