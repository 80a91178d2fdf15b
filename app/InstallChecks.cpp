#include "app/InstallChecks.h"

#include "app/InstallLog.h"
#include "app/MessageBoxes.h"
#include "app/PageTexts.h"
#include "app/Probes.h"
#include "app/TargetFolderRules.h"
#include "payload/PayloadEntry.h"
#include "payload/PayloadResource.h"

ExitCode acceptTargetFolder(HWND owner, const KString& folder) {
    if (!isValidFolderPath(folder.chars())) {
        showMessageBox(owner, InvalidFolderMessage, TargetFolderCaption, MB_ICONERROR);
        return ExitFolderUnusable;
    }
    char drive = folder.at(0);
    if (isBareDrive(folder) &&
        showMessageBox(owner, rootFolderQuestion(drive).chars(), TargetFolderCaption,
                       MB_ICONWARNING | MB_YESNO) == IDNO)
        return ExitFolderUnusable;
    if (!hasFreeDiskSpace(drive, RequiredFreeBytes)) {
        showMessageBox(owner, freeSpaceMessage(drive).chars(), FreeSpaceCaption, MB_ICONERROR);
        return ExitDiskFull;
    }
    return ExitSuccess;
}

ExitCode refuseIfPlayerRunning(HWND owner, const InstallOptions& options) {
    bool onlyLibrary = false;
    if (!isPlayerRunning(options, onlyLibrary))
        return ExitSuccess;
    runLog().write({onlyLibrary ? "The player's window is open and one of its libraries is in "
                                  "use: the player may have ended badly; a restart frees it."
                                : "The player is running: melko.exe is in use."});
    showMessageBox(owner, playerRunningMessage(onlyLibrary).chars(), PlayerRunningCaption,
                   MB_ICONERROR);
    return ExitPlayerRunning;
}

ExitCode checkAgreement(HWND owner, HMODULE module) {
    HGLOBAL handle;
    const BYTE* data;
    DWORD size;
    if (!loadPayloadResource(module, MAKEINTRESOURCEA(LicenseResourceId), LicenseChecksum, handle,
                             data, size)) {
        showMessageBox(owner, archiveMessage().chars(), ArchiveCaption, MB_ICONERROR);
        return ExitArchiveDamaged;
    }
    FreeResource(handle);
    return ExitSuccess;
}
