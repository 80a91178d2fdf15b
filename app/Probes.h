// Small questions about the machine that change nothing. None of them shows a
// message or throws: every failure answers false (or the fallback value).
#ifndef LKP_APP_PROBES_H
#define LKP_APP_PROBES_H

#include <windows.h>

#include "base/KString.h"
#include "base/PathFunctions.h"

struct InstallOptions;

void setCheck(HWND dialog, int id, bool checked);
bool getCheck(HWND dialog, int id);  // only BST_CHECKED counts as set
void fitControlToText(HWND dialog, int id);

// Drive letter, colon, then an optional backslash-separated path; 255 at most.
bool isValidFolderPath(const char* path);
bool hasFreeDiskSpace(char driveLetter, DWORD bytes);
bool getFileVersion(const char* path, DWORD& versionMS, DWORD& versionLS);
bool isNetscapeInstalled();   // version 3.0 or later
bool isIExplorerInstalled();  // version 4.70 or later
bool findQuickLaunchFolder(KString* folder = nullptr);  // with a trailing backslash
bool getDesktopFolder(KString& folder);                  // with a trailing backslash
KString getProgramFilesFolder();                         // without a trailing backslash
bool isFileLocked(const char* path);
bool isPlayerRunning(const InstallOptions& options, bool& onlyLibrary);
// The same check for the player in folder (with or without a trailing backslash).
bool isPlayerRunning(KString folder, bool& onlyLibrary);
BOOL CALLBACK playerWindowFilter(HWND window, LPARAM found);
// The title rule of playerWindowFilter, on plain text.
bool isPlayerWindowTitle(const char* title);
bool fileExists(const char* path);
bool isPlainDirectory(const char* path);  // attributes exactly FILE_ATTRIBUTE_DIRECTORY

// The plain rules behind hasFreeDiskSpace and the browser probes.
bool enoughFreeBytes(ULARGE_INTEGER freeBytes, DWORD bytes);
// The older free-space answer, for systems without GetDiskFreeSpaceExA.
bool enoughClusterBytes(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters,
                        DWORD bytes);
// Compares the high half of a fixed file version with major.minor.
bool isVersionAtLeast(DWORD versionMS, WORD major, WORD minor);

#endif
