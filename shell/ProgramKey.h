// The layout of the program key tree (HKEY_CURRENT_USER + PlayerKey) and the
// rules by which a change to shared state is recorded there, so that the
// uninstaller can give it back.
//
// Every key below the program key is reached by appending one of these
// suffixes to PlayerKey and opening the result relative to HKEY_CURRENT_USER.
#ifndef LKP_SHELL_PROGRAMKEY_H
#define LKP_SHELL_PROGRAMKEY_H

#include "base/KRegKey.h"
#include "base/KString.h"

// Followed directly by an extension with its dot: "\Filetype.mid".
const char* const FiletypeSuffix = "\\Filetype";
// Player settings; followed by "\" and an extension it is an earlier-layout marker.
const char* const SetupSuffix = "\\Setup";
// Earlier layout only: followed by "\" and an extension; read, then deleted.
const char* const BackupFiletypesSuffix = "\\Backup\\Filetypes";
// The parent of the keys below, which the uninstaller removes once empty.
const char* const BackupSuffix = "\\Backup";
const char* const BackupShortcutsSuffix = "\\Backup\\Shortcuts";
const char* const BackupMiscSuffix = "\\Backup\\Misc";
const char* const BackupPluginSuffix = "\\Backup\\Plugin";
const char* const BackupPluginEmbedSuffix = "\\Backup\\Plugin\\Embed";
// The one key named relative to the opened program key (no leading backslash).
const char* const BackupPluginClsidKey = "Backup\\Plugin\\CLSID";

// Values of the file-type records.
const char* const RegisterValue = "Register";            // REG_DWORD 1 taken, 0 given back
const char* const ExistedBeforeValue = "ExistedBefore";  // REG_DWORD
const char* const DefaultValueValue = "DefaultValue";    // REG_SZ, the class named before
// Values of the other records.
const char* const ReregisterFiletypesValue = "ReregisterFiletypes";  // under "\Setup"
const char* const QuickLaunchValue = "QuickLaunch";                  // under "\Backup\Shortcuts"
const char* const DesktopValue = "Desktop";                          // under "\Backup\Shortcuts"
const char* const StudioValue = "Studio";                            // under "\Backup\Misc"
// Values of "\Backup\Plugin", each the full path of one plug-in copy.
const char* const Netscape3PluginValue = "Netscape 3";
const char* const NetscapePluginValuePrefix = "Netscape ";  // + a 4.x version key's name
const char* const IePluginValue = "Internet Explorer";

// PlayerKey + suffix + tail, a path below HKEY_CURRENT_USER.
KString programKeyPath(const char* suffix, const char* tail = "");

// Saves a value before it is replaced or deleted: copies source's value into
// record's only when it reads as a string (REG_SZ, at most MaxRegString
// characters). Otherwise nothing is written and an earlier record stays.
// True when a copy was written.
bool saveStringRecord(const KRegKey& source, const char* sourceName, KRegKey& record,
                      const char* recordName);

#endif
