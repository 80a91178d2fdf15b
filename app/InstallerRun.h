// What a start of the installer does with its command line: the wizard, or
// a silent install, or the help, or a refusal; and the exit code it ends with.
#ifndef LKP_APP_INSTALLERRUN_H
#define LKP_APP_INSTALLERRUN_H

#include <windows.h>

#include "app/CommandLine.h"
#include "app/ExitCodes.h"

// arguments: the command line without the program's name.
ExitCode runInstaller(HINSTANCE instance, const char* arguments);

// The wizard, its controls preset from the command line. Finished: success;
// cancelled after a press of Finish that failed: why it failed; else cancelled.
ExitCode runWizard(HINSTANCE instance, const CommandLine& commandLine);

// No window: the wizard's defaults as the machine allows them, changed by the
// command line; the checks of the folder page and of Finish; the sequence.
ExitCode installSilently(HINSTANCE instance, const CommandLine& commandLine);

#endif
