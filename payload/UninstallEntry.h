// The player's entry in the system's list of programs and its application
// path, both below HKEY_LOCAL_MACHINE + CurrentVersionKey: written by the
// installer, read back by its next run, removed by the uninstaller.
#ifndef LKP_PAYLOAD_UNINSTALLENTRY_H
#define LKP_PAYLOAD_UNINSTALLENTRY_H

#include "base/KString.h"

const char* const UninstallEntryKey = "Uninstall\\Melko";
const char* const DisplayNameValue = "DisplayName";
const char* const UninstallStringValue = "UninstallString";            // unquoted, no arguments
const char* const QuietUninstallStringValue = "QuietUninstallString";  // quoted, with /S

const char* const AppPathEntryKey = "App Paths\\Melko.exe";
const char* const AppPathExeName = "Melko.exe";  // the key's spelling of the player
const char* const AppPathFolderValue = "Path";

// What deployment tools run to remove the player without a window: the
// quoted path of the uninstaller in folder (which ends with a backslash), /S.
KString quietUninstallCommand(const KString& folder);

#endif
