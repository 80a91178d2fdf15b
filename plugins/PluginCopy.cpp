#include "plugins/PluginCopy.h"

#include "app/Installer.h"
#include "app/Probes.h"
#include "base/KRegKey.h"
#include "plugins/PluginPaths.h"
#include "shell/ProgramKey.h"

namespace {

bool copyPlugin(Installer& installer, const KString& destination, const char* busyText,
                const char* busyCaption) {
    while (isFileLocked(destination.chars()) &&
           installer.showMessage(busyText, busyCaption, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
    }
    KString source = installer.folder() + PluginFileName;
    return CopyFileA(source.chars(), destination.chars(), FALSE) != 0;
}

void recordPluginCopy(const char* valueName, const KString& path) {
    try {
        KRegKey root(HKEY_CURRENT_USER);
        KRegKey backup(root, programKeyPath(BackupPluginSuffix).chars(), true);
        backup.writeString(valueName, path);
    } catch (const KRegKey::ECreate&) {
    }
}

}  // namespace

bool installPluginFile(Installer& installer, const KString& destination, const char* recordName,
                       const PluginCopyTexts& texts) {
    if (!copyPlugin(installer, destination, texts.busy, texts.busyCaption)) {
        installer.showMessage(texts.failure, texts.failureCaption, MB_OK | MB_ICONHAND);
        return false;
    }
    recordPluginCopy(recordName, destination);
    return true;
}
