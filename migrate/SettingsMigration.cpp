#include "migrate/SettingsMigration.h"

#include <windows.h>

#include "app/Constants.h"
#include "app/Installer.h"
#include "app/Probes.h"
#include "base/KRegKey.h"
#include "base/PathFunctions.h"
#include "migrate/OldSettingsTable.h"
#include "migrate/Playlists.h"

namespace {

// The earlier product's profile file, in the Windows folder.
const char* const OldProfileName = "melko.ini";

// The profile reader's answer for a missing number key. A key that really
// holds this number cannot be told apart and is left out too.
const INT MissingNumber = 2147483647;
// Profile texts are read into MAX_PATH characters, the terminating zero included.
const int ProfileTextSize = MAX_PATH;

void importGroup(KRegKey& playerKey, const OldSettingGroup& group, const char* profilePath) {
    try {
        // Made whether or not the section holds any of its keys.
        KRegKey key(playerKey, group.name, true);
        for (DWORD i = 0; i < group.valueCount; ++i) {
            const char* name = group.valueNames[i];
            if (group.valueTypes[i] == REG_SZ) {
                KString text;
                GetPrivateProfileStringA(group.name, name, "", text.getBuffer(ProfileTextSize - 1),
                                         ProfileTextSize, profilePath);
                text.releaseBuffer();
                if (!text.empty())
                    key.writeString(name, text);
            } else if (group.valueTypes[i] == REG_DWORD) {
                UINT number = GetPrivateProfileIntA(group.name, name, MissingNumber, profilePath);
                if (number != static_cast<UINT>(MissingNumber))
                    key.writeDword(name, number);
            }
        }
    } catch (const KRegKey::E&) {
        // This group is left out; the others still come over.
    }
}

}  // namespace

void importIniSettings(const KString& profilePath) {
    try {
        KRegKey currentUser(HKEY_CURRENT_USER);
        KRegKey playerKey(currentUser, PlayerKey.chars(), true);
        for (const OldSettingGroup& group : OldSettingGroups)
            importGroup(playerKey, group, profilePath.chars());
    } catch (const KRegKey::E&) {
        // Without the program key there is nowhere to put the settings.
    }
}

// Imports the earlier product's settings and playlists, then deletes its
// profile file whatever came over, so that no later run imports it again.
void Installer::importOldIniFile() {
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    KString profilePath(windows, static_cast<int>(length));
    trimAndEnsure(profilePath);
    profilePath += OldProfileName;
    if (!fileExists(profilePath.chars()))
        return;
    importIniSettings(profilePath);
    importOldPlaylists(profilePath, folder_);
    DeleteFileA(profilePath.chars());
}
