#include "app/Installer.h"

#include "app/Constants.h"
#include "base/KRegKey.h"
#include "base/PathFunctions.h"

Installer::Installer(const InstallOptions& options, HINSTANCE module, HWND owner)
    : options_(options), folder_(options.folder), owner_(owner), module_(module) {
    folder_.trim();
    ensureTrailingBackslash(folder_);
}

void Installer::openProgramKey() {
    try {
        KRegKey root(HKEY_CURRENT_USER);
        KRegKey key(root, PlayerKey.chars(), true);
    } catch (const KRegKey::E&) {
        // The steps that need the key create or skip it themselves.
    }
}

bool Installer::install() {
    openProgramKey();
    if (!createFolderTree(folder_)) {
        showMessage("Could not create program folder.  Please choose a different\n"
                    "folder and try again.",
                    "Installation Error", MB_ICONERROR);
        return false;
    }
    if (!extractPayload())
        return false;
    registerUninstall();
    importOldIniFile();
    writeSamplePlaylist();
    cleanUpPreviousVersion();
    registerFileTypes();
    if (options_.netscapePlugin)
        installNetscapePlugin();
    if (options_.internetExplorerPlugin)
        installIePlugin();
    setKaraokeCharSet();
    createShortcuts();
    createProgramGroups();
    return true;
}

int Installer::showMessage(const char* text, const char* caption, UINT style) {
    return MessageBoxA(owner_, text, caption, style);
}

void Installer::runPlayer() {
    KString path = folder_ + PlayerExeName;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    if (CreateProcessA(path.chars(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        // The installer never waits for the player: let go of it at once.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
