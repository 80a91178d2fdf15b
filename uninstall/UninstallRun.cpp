#include "uninstall/UninstallRun.h"

#include <windows.h>

#include "app/MessageBoxes.h"
#include "app/PageTexts.h"
#include "app/Probes.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/Uninstaller.h"

namespace {

// The next argument from text on: blanks skipped, a quoted part kept whole.
KString nextArgument(const char*& text) {
    while (*text != '\0' && isBlank(*text))
        ++text;
    const char* start = text;
    bool quoted = false;
    while (*text != '\0' && (quoted || !isBlank(*text))) {
        if (*text == '"')
            quoted = !quoted;
        ++text;
    }
    return KString(start, static_cast<int>(text - start));
}

bool isSilentSwitch(const KString& argument) {
    return argument.length() == 2 && (argument.at(0) == '/' || argument.at(0) == '-') &&
           (argument.at(1) == 'S' || argument.at(1) == 's');
}

}  // namespace

bool parseUninstallArguments(const char* arguments, bool& silent, KString& bad) {
    silent = false;
    bad.clear();
    for (const char* at = arguments ? arguments : "";;) {
        KString argument = nextArgument(at);
        if (argument.empty())
            break;
        if (isSilentSwitch(argument))
            silent = true;
        else if (bad.empty())
            bad = argument;
    }
    return bad.empty();
}

ExitCode runUninstaller(const char* arguments) {
    bool silent = false;
    KString bad;
    bool understood = parseUninstallArguments(arguments, silent, bad);
    setUnattended(silent);
    if (!understood) {
        showMessageBox(nullptr, badArgumentMessage(bad).chars(), UninstallCaption, MB_ICONERROR);
        return ExitBadCommandLine;
    }
    if (!silent && showMessageBox(nullptr, RemovalQuestion, UninstallCaption,
                                  MB_YESNO | MB_ICONQUESTION) != IDYES)
        return ExitCancelled;

    Uninstaller uninstaller;
    // Checked after the question, right before anything changes.
    bool onlyLibrary = false;
    if (!uninstaller.folder().empty() && isPlayerRunning(uninstaller.folder(), onlyLibrary)) {
        showMessageBox(nullptr, playerRunningMessage(onlyLibrary).chars(), PlayerRunningCaption,
                       MB_ICONERROR);
        return ExitPlayerRunning;
    }
    ExitCode code = uninstaller.run();
    if (code == ExitFileNotWritten)
        showMessageBox(nullptr, filesLeftMessage(uninstaller.leftFiles()).chars(),
                       UninstallCaption, MB_ICONWARNING);
    return code;
}
