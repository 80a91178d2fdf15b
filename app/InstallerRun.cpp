#include "app/InstallerRun.h"

#include <commctrl.h>

#include "app/InstallChecks.h"
#include "app/InstallLog.h"
#include "app/InstallWizard.h"
#include "app/Installer.h"
#include "app/MessageBoxes.h"
#include "app/PageTexts.h"
#include "app/Probes.h"

namespace {

// Opens the log that /LOG asks for; false (after saying so) when it cannot
// be written, since a deployment that asked for a record must not run without.
bool openLog(const CommandLine& commandLine) {
    if (!commandLine.log)
        return true;
    KString path = commandLine.logPath.empty() ? defaultLogPath() : commandLine.logPath;
    if (runLog().open(path.chars()))
        return true;
    KString text;
    text.format("The log file %s cannot be written.", path.chars());
    showMessageBox(nullptr, text.chars(), InstallerCaption, MB_ICONERROR);
    return false;
}

// A choice that the wizard would offer disabled on this machine is off.
void applyEnvironment(InstallOptions& options) {
    if (options.quickLaunchShortcut && !findQuickLaunchFolder()) {
        options.quickLaunchShortcut = false;
        runLog().write({"No Quick Launch folder here: no Quick Launch shortcut."});
    }
    if (options.internetExplorerPlugin && !isIExplorerInstalled()) {
        options.internetExplorerPlugin = false;
        runLog().write({"No Internet Explorer 4.70 or later here: no plug-in for it."});
    }
    if (options.netscapePlugin && !isNetscapeInstalled()) {
        options.netscapePlugin = false;
        runLog().write({"No Netscape Navigator 3.0 or later here: no plug-in for it."});
    }
}

}  // namespace

ExitCode runInstaller(HINSTANCE instance, const char* arguments) {
    CommandLine commandLine;
    bool understood = parseCommandLine(arguments, commandLine);
    setUnattended(commandLine.silent);
    if (!openLog(commandLine))
        return ExitBadCommandLine;
    runLog().write({"Lorimund's Karaoke Player 2.04 installer, ",
                    commandLine.silent ? "silent" : "interactive", " run. Arguments: ",
                    arguments});
    if (!understood) {
        KString text;
        text.format("The argument \"%s\" is not understood.\n\n"
                    "Start the installer with /? for the list of its switches.",
                    commandLine.badArgument.chars());
        showMessageBox(nullptr, text.chars(), InstallerCaption, MB_ICONERROR);
        return ExitBadCommandLine;
    }
    if (commandLine.help) {
        // Asked for by name, so shown even beside /S.
        setUnattended(false);
        showMessageBox(nullptr, commandLineHelp().chars(), InstallerCaption, MB_ICONINFORMATION);
        return ExitSuccess;
    }
    return commandLine.silent ? installSilently(instance, commandLine)
                              : runWizard(instance, commandLine);
}

ExitCode runWizard(HINSTANCE instance, const CommandLine& commandLine) {
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_TAB_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);
    InstallWizard wizard(instance, nullptr, 118);
    applyChoices(commandLine, wizard.options());
    if (wizard.run(0))
        return ExitSuccess;
    ExitCode failed = SummaryPage::failedInstall();
    return failed != ExitSuccess ? failed : ExitCancelled;
}

ExitCode installSilently(HINSTANCE instance, const CommandLine& commandLine) {
    InstallOptions options;
    applyChoices(commandLine, options);
    applyEnvironment(options);
    logOptions(options);
    ExitCode verdict = checkAgreement(nullptr, instance);
    if (verdict == ExitSuccess)
        verdict = acceptTargetFolder(nullptr, options.folder);
    if (verdict == ExitSuccess)
        verdict = refuseIfPlayerRunning(nullptr, options);
    if (verdict != ExitSuccess)
        return verdict;
    Installer installer(options, instance, nullptr);
    if (!installer.install())
        return installer.failure();
    if (commandLine.run)
        installer.runPlayer();
    return ExitSuccess;
}
