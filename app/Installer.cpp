#include "app/Installer.h"

#include "app/Constants.h"
#include "app/InstallLog.h"
#include "app/MessageBoxes.h"
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

namespace {

void logStep(const char* step, const char* outcome) {
    runLog().write({"Step \"", step, "\": ", outcome});
}

}  // namespace

void Installer::runStep(const char* name, void (Installer::*step)(), bool chosen) {
    if (!chosen) {
        logStep(name, "skipped (not chosen)");
        return;
    }
    (this->*step)();
    logStep(name, "done");
}

bool Installer::install() {
    failure_ = ExitSuccess;
    runStep("open the program key", &Installer::openProgramKey);
    if (!createFolderTree(folder_)) {
        failure_ = ExitFolderUnusable;
        showMessage("Could not create program folder.  Please choose a different\n"
                    "folder and try again.",
                    "Installation Error", MB_ICONERROR);
        logStep("create the program folder", "failed");
        return false;
    }
    logStep("create the program folder", "done");
    if (!extractPayload()) {
        if (failure_ == ExitSuccess)
            failure_ = ExitFileNotWritten;
        logStep("extract the payload", "failed");
        return false;
    }
    logStep("extract the payload", "done");
    runStep("register the uninstaller", &Installer::registerUninstall);
    runStep("import the earlier version's settings", &Installer::importOldIniFile);
    runStep("write the sample playlist", &Installer::writeSamplePlaylist);
    runStep("clean up the earlier version", &Installer::cleanUpPreviousVersion);
    runStep("register the file types", &Installer::registerFileTypes);
    runStep("install the Netscape plug-in", &Installer::installNetscapePlugin,
            options_.netscapePlugin);
    runStep("install the Internet Explorer plug-in", &Installer::installIePlugin,
            options_.internetExplorerPlugin);
    runStep("set the karaoke character set", &Installer::setKaraokeCharSet);
    runStep("create the shortcuts", &Installer::createShortcuts);
    runStep("create the program group", &Installer::createProgramGroups);
    return true;
}

int Installer::showMessage(const char* text, const char* caption, UINT style) {
    return showMessageBox(owner_, text, caption, style);
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
        runLog().write({"Started the player: ", path.chars()});
    } else {
        runLog().write({"The player could not be started: ", path.chars()});
    }
}
