// The user's choices: one record per run, owned by the wizard.
#ifndef LKP_APP_INSTALLOPTIONS_H
#define LKP_APP_INSTALLOPTIONS_H

#include "base/KString.h"

struct InstallOptions {
    // Finds the default folder: an earlier installation's, else Program Files.
    InstallOptions();

    KString folder;  // never ends with a backslash
    bool desktopShortcut = true;
    bool quickLaunchShortcut = true;
    bool internetExplorerPlugin = true;
    bool netscapePlugin = true;
    bool associateKar = true;
    bool associateMid = true;
    bool associateMidi = true;
    bool associateRmi = true;
};

// The folder of an earlier installation from its uninstall command: the text
// before "\remove.exe" (any case); empty for anything else.
KString folderFromUninstallString(const KString& command);

#endif
