// The installer's command line, for deployment tools and package managers:
//   /S              silent: no wizard, no window, the wizard's defaults
//   /D=folder       the target folder; the last argument, taken verbatim
//   /TYPES=list     mid, midi, kar, rmi (comma-separated) or none
//   /PLUGINS=list   ie, netscape or none
//   /SHORTCUTS=list desktop, quicklaunch or none
//   /RUN            start the player after a silent install
//   /LOG[=file]     append a log of the run (DefaultLogName in %TEMP% without a file)
//   /? or /HELP     list the switches and the exit codes
// Switch names are case-insensitive and start with "/" or "-". A value may be
// quoted ("/LOG=C:\My Logs\setup.log" or /LOG="C:\My Logs\setup.log").
#ifndef LKP_APP_COMMANDLINE_H
#define LKP_APP_COMMANDLINE_H

#include "app/InstallOptions.h"
#include "base/KString.h"

// The log's file name in the temporary folder when /LOG names none.
const char* const DefaultLogName = "karaoke204setup.log";

// Bits of the choice lists; NotGiven leaves the wizard's default.
const int NotGiven = -1;
enum FileTypeChoice { TypeMid = 1, TypeMidi = 2, TypeKar = 4, TypeRmi = 8 };
enum PluginChoice { PluginIe = 1, PluginNetscape = 2 };
enum ShortcutChoice { ShortcutDesktop = 1, ShortcutQuickLaunch = 2 };

struct CommandLine {
    bool silent = false;
    bool help = false;
    bool run = false;
    bool log = false;
    KString logPath;  // empty: the default log in the temporary folder
    bool hasFolder = false;
    KString folder;   // as given, before the folder rules
    int types = NotGiven;
    int plugins = NotGiven;
    int shortcuts = NotGiven;
    // The first argument that was not understood, as written; empty when the
    // whole command line was.
    KString badArgument;
};

// Reads the arguments (the command line without the program's name). False
// when an argument is unknown or malformed; badArgument then names it, and
// everything understood before and after it is still filled in, so that a
// silent run stays silent and a log can still be written.
bool parseCommandLine(const char* arguments, CommandLine& out);

// Applies /D= and the choice lists to the options. The folder goes through
// the rules of the folder page's edit (trimmed, one trailing backslash off).
void applyChoices(const CommandLine& commandLine, InstallOptions& options);

// The text of "/?".
KString commandLineHelp();

#endif
