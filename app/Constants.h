// The program-wide strings, built before the entry point runs.
#ifndef LKP_APP_CONSTANTS_H
#define LKP_APP_CONSTANTS_H

#include "base/KString.h"

extern const KString ProductName;         // "Lorimund's Karaoke Player"
extern const KString CurrentVersionKey;   // HKLM
extern const KString UninstallKey;        // HKLM, an earlier installation's entry
extern const KString NetscapeAppPathKey;  // HKLM
extern const KString IExploreAppPathKey;  // HKLM
extern const KString MapGroupsKey;        // HKCU, value "Quick Launch"
extern const KString PlayerKey;           // HKCU, the program key with every record
extern const KString PlaylistKey;         // HKCU, value "Last"
extern const KString FolderNameChars;     // punctuation allowed besides letters and digits
extern const KString PlayerExeName;       // "melko.exe"
extern const KString UninstallerExeName;  // "remove.exe"

// The product's web site, named in the messages about a damaged download.
extern const char* const ProductWebSite;

#endif
