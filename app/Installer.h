// One press of "Finish": the install sequence and its steps. Every step is an
// operation without arguments that reads the options and the folder, handles
// its own failures and shows its own messages; only bad_alloc passes through.
#ifndef LKP_APP_INSTALLER_H
#define LKP_APP_INSTALLER_H

#include <windows.h>

#include "app/ExitCodes.h"
#include "app/InstallOptions.h"
#include "base/KString.h"

struct PayloadEntry;

class Installer {
public:
    Installer(const InstallOptions& options, HINSTANCE module, HWND owner);
    virtual ~Installer() {}

    // Runs the thirteen steps in order; false when the folder or the payload
    // could not be written (the user has been told), true at the end.
    bool install();
    // Why the last install returned false: the folder, the archive or a file.
    ExitCode failure() const { return failure_; }
    int showMessage(const char* text, const char* caption, UINT style);
    // Starts the installed player and does not wait for it.
    void runPlayer();

    const KString& folder() const { return folder_; }

    // The steps, in the order install runs them. Virtual so that the
    // sequence itself can be observed.
    virtual bool extractPayload();
    virtual void registerUninstall();
    virtual void importOldIniFile();
    virtual void writeSamplePlaylist();
    virtual void cleanUpPreviousVersion();
    virtual void registerFileTypes();
    virtual void installNetscapePlugin();
    virtual void installIePlugin();
    virtual void setKaraokeCharSet();
    virtual void createShortcuts();
    virtual void createProgramGroups();

    // extractPayload with another manifest (closed by an all-zero row).
    bool extractPayload(const PayloadEntry* manifest);

protected:
    virtual void openProgramKey();
    // Runs one step when chosen and writes its outcome to the log.
    void runStep(const char* name, void (Installer::*step)(), bool chosen = true);

    const InstallOptions& options_;
    KString folder_;  // trimmed, with exactly one trailing backslash
    HWND owner_;
    HINSTANCE module_;
    ExitCode failure_ = ExitSuccess;
};

// Creates the folder and every missing parent; works on its own copy.
bool createFolderTree(KString path);

#endif
