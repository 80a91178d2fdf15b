#include "app/Constants.h"
#include "app/Installer.h"
#include "base/KRegKey.h"
#include "base/PathFunctions.h"
#include "migrate/LayoutFile.h"

// Lists the player among the installed programs with its uninstaller, and
// lets the shell find it by its bare name. Without administrative rights
// neither entry is written; nothing is reported either way.
void Installer::registerUninstall() {
    try {
        KRegKey machine(HKEY_LOCAL_MACHINE);
        KRegKey currentVersion(machine, CurrentVersionKey.chars(), false);
        try {
            KRegKey uninstall(currentVersion, "Uninstall\\Melko", true);
            uninstall.writeString("DisplayName", ProductName);
            // Unquoted: an earlier installation's folder is read back from it.
            uninstall.writeString("UninstallString", folder_ + UninstallerExeName);
        } catch (const KRegKey::ECreate&) {
        }
        try {
            KRegKey appPath(currentVersion, "App Paths\\Melko.exe", true);
            appPath.writeString("", folder_ + "Melko.exe");
            KString path(folder_);
            stripTrailingBackslash(path);
            appPath.writeString("Path", path);
        } catch (const KRegKey::ECreate&) {
        }
    } catch (const KRegKey::EOpen&) {
    }
    redirectLayoutFile(folder_);
}
