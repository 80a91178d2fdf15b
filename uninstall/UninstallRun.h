// What a start of remove.exe does with its command line: the question, the
// check for the running player, the removal, and the exit code it ends with.
//   remove.exe      asks once, then removes
//   remove.exe /S   removes without asking and without any window
#ifndef LKP_UNINSTALL_UNINSTALLRUN_H
#define LKP_UNINSTALL_UNINSTALLRUN_H

#include "app/ExitCodes.h"
#include "base/KString.h"

// arguments: the command line without the program's name.
ExitCode runUninstaller(const char* arguments);

// "/S" (also "-S", any case) is the one argument. False when another is
// given; bad then holds the first one as written. silent is set either way,
// so that a refused silent run stays silent.
bool parseUninstallArguments(const char* arguments, bool& silent, KString& bad);

#endif
