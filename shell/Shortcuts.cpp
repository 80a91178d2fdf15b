#include "app/Installer.h"

#include <shlobj.h>

#include "app/Constants.h"
#include "app/Probes.h"
#include "base/KRegKey.h"
#include "shell/ProgramKey.h"
#include "shell/RecordRules.h"
#include "shell/ShellLink.h"

namespace {

const char* const ShortcutFileName = "Lorimund's Karaoke Player.lnk";
const char* const ShortcutDescription = "Lorimund's Karaoke Player";

// Creates the shortcut in folder and records its path under recordValue; a
// shortcut recorded by an earlier run at another path is deleted first.
void createShortcut(const KString& folder, const char* recordValue, const KString& target) {
    KString linkPath = folder + ShortcutFileName;
    if (!createShellLink(linkPath.chars(), ShortcutDescription, target.chars()))
        return;
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey records(user, programKeyPath(BackupShortcutsSuffix).chars(), true);
        KString old;
        // Any program of the user can write the record: only a shortcut
        // file that it names is deleted.
        if (records.readString(recordValue, old, MaxRegString) &&
            old.compareNoCase(linkPath.chars()) != 0 && isShortcutRecordPath(old)) {
            DeleteFileA(old.chars());
            SHChangeNotify(SHCNE_DELETE, SHCNF_PATHA, old.chars(), nullptr);
        }
        records.writeString(recordValue, linkPath);
    } catch (const KRegKey::E&) {
        // The shortcut stays, unrecorded.
    }
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, linkPath.chars(), nullptr);
}

}  // namespace

// Creates the Quick Launch and desktop shortcuts that the user asked for.
void Installer::createShortcuts() {
    KString target = folder_ + PlayerExeName;
    KString folder;
    if (options_.quickLaunchShortcut && findQuickLaunchFolder(&folder))
        createShortcut(folder, QuickLaunchValue, target);
    if (options_.desktopShortcut && getDesktopFolder(folder))
        createShortcut(folder, DesktopValue, target);
}
