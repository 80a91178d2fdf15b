#include "app/Constants.h"
#include "app/Installer.h"
#include "base/KRegKey.h"
#include "base/PathFunctions.h"
#include "migrate/LayoutFile.h"
#include "payload/UninstallEntry.h"

KString quietUninstallCommand(const KString& folder) {
    return "\"" + folder + UninstallerExeName + "\" /S";
}

// Lists the player among the installed programs with its uninstaller, and
// lets the shell find it by its bare name. Without administrative rights
// neither entry is written; nothing is reported either way.
void Installer::registerUninstall() {
    try {
        KRegKey machine(HKEY_LOCAL_MACHINE);
        KRegKey currentVersion(machine, CurrentVersionKey.chars(), false);
        try {
            KRegKey uninstall(currentVersion, UninstallEntryKey, true);
            uninstall.writeString(DisplayNameValue, ProductName);
            // Unquoted: an earlier installation's folder is read back from it.
            uninstall.writeString(UninstallStringValue, folder_ + UninstallerExeName);
            uninstall.writeString(QuietUninstallStringValue, quietUninstallCommand(folder_));
        } catch (const KRegKey::ECreate&) {
        }
        try {
            KRegKey appPath(currentVersion, AppPathEntryKey, true);
            appPath.writeString("", folder_ + AppPathExeName);
            KString path(folder_);
            stripTrailingBackslash(path);
            appPath.writeString(AppPathFolderValue, path);
        } catch (const KRegKey::ECreate&) {
        }
    } catch (const KRegKey::EOpen&) {
    }
    redirectLayoutFile(folder_);
}
