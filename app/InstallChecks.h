// The checks that stand between the user's choices and the install sequence,
// shared by the wizard (with the user answering) and the silent install
// (where every question is answered No). Each shows its own message through
// showMessageBox, owned by owner, and answers ExitSuccess when the install
// may go on, or the exit code of the refusal.
#ifndef LKP_APP_INSTALLCHECKS_H
#define LKP_APP_INSTALLCHECKS_H

#include <windows.h>

#include "app/ExitCodes.h"
#include "app/InstallOptions.h"
#include "base/KString.h"

// The folder page's Next: folder syntax, the root-of-drive question and the
// free space on the drive. folder is the edit's text after its rules.
ExitCode acceptTargetFolder(HWND owner, const KString& folder);

// Finish: refuses while the player runs from the target folder.
ExitCode refuseIfPlayerRunning(HWND owner, const InstallOptions& options);

// The licence agreement resource is present and intact; the archive message
// otherwise. module is the installer's own.
ExitCode checkAgreement(HWND owner, HMODULE module);

#endif
