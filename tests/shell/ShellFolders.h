// A sandboxed registry whose desktop, Programs and Quick Launch folders lie in
// a scratch folder, so that no test writes into the prefix's own. The shell
// keeps the desktop path of the first lookup in a process: set up before any.
#ifndef LKP_TESTS_SHELL_SHELLFOLDERS_H
#define LKP_TESTS_SHELL_SHELLFOLDERS_H

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"

struct ShellFolders {
    RegistrySandbox sandbox;
    TempFolder dir;
    // With trailing backslashes.
    std::string desktop = dir / "Desktop\\";
    std::string programs = dir / "Programs\\";
    std::string quickLaunch = dir / "Quick Launch\\";
    std::string program = dir / "Player\\";

    ShellFolders();
    // Names the Quick Launch folder in the registry (without a trailing backslash).
    void setQuickLaunch(const std::string& folder);
};

// Wine ignores the read-only attribute on folders and derives it from the
// host's permission bits: takes the write bits away on the host side.
bool makeFolderReadOnly(const std::string& folder);

// Loads a shortcut file through the shell link object.
bool readLink(const std::string& path, std::string& target, std::string& description);

#endif
