#include "app/InstallOptions.h"

#include "app/Constants.h"
#include "app/Probes.h"
#include "base/KRegKey.h"

KString folderFromUninstallString(const KString& command) {
    const int nameLength = UninstallerExeName.length();
    if (command.right(nameLength).compareNoCase(UninstallerExeName.chars()) != 0)
        return KString();
    // "myremove.exe" ends the same way; only a whole file name counts.
    int cut = command.reverseFind('\\');
    if (cut < 0 || cut != command.length() - nameLength - 1)
        return KString();
    return command.left(cut);
}

InstallOptions::InstallOptions() {
    try {
        KRegKey root(HKEY_LOCAL_MACHINE);
        KRegKey key(root, UninstallKey.chars(), false);
        KString command;
        if (key.readString("UninstallString", command, MAX_PATH - 1))
            folder = folderFromUninstallString(command);
    } catch (const KRegKey::EOpen&) {
        folder.clear();
    }
    if (folder.empty()) {
        folder = getProgramFilesFolder();
        ensureTrailingBackslash(folder);
        folder += ProductName;
    }
}
