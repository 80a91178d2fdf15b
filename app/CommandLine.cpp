#include "app/CommandLine.h"

#include "app/ExitCodes.h"
#include "app/TargetFolderRules.h"

namespace {

struct ListItem {
    const char* name;
    int bit;
};
const ListItem TypeItems[] = {
    {"mid", TypeMid}, {"midi", TypeMidi}, {"kar", TypeKar}, {"rmi", TypeRmi}, {nullptr, 0}};
const ListItem PluginItems[] = {{"ie", PluginIe}, {"netscape", PluginNetscape}, {nullptr, 0}};
const ListItem ShortcutItems[] = {
    {"desktop", ShortcutDesktop}, {"quicklaunch", ShortcutQuickLaunch}, {nullptr, 0}};

// "none", or names of items separated by commas; anything else (an empty
// list, an empty item, an unknown name, "none" among others) is malformed.
bool parseList(const KString& list, const ListItem* items, int& mask) {
    if (list.compareNoCase("none") == 0) {
        mask = 0;
        return true;
    }
    int bits = 0;
    int start = 0;
    for (int at = 0; at <= list.length(); ++at) {
        if (at < list.length() && list.at(at) != ',')
            continue;
        KString name = list.mid(start, at - start);
        const ListItem* item = items;
        while (item->name && name.compareNoCase(item->name) != 0)
            ++item;
        if (!item->name)
            return false;
        bits |= item->bit;
        start = at + 1;
    }
    mask = bits;
    return true;
}

bool isSwitchStart(char c) {
    return c == '/' || c == '-';
}

// One argument, quotes removed. False when it is not a switch this program
// knows, or its value is missing or malformed.
bool interpret(const KString& argument, CommandLine& out) {
    if (argument.length() < 2 || !isSwitchStart(argument.at(0)))
        return false;
    int equals = argument.find('=');
    bool hasValue = equals >= 0;
    KString name = hasValue ? argument.mid(1, equals - 1) : argument.mid(1);
    KString value = hasValue ? argument.mid(equals + 1) : KString();
    if (name.compareNoCase("S") == 0 && !hasValue)
        return out.silent = true;
    if ((name == "?" || name.compareNoCase("HELP") == 0) && !hasValue)
        return out.help = true;
    if (name.compareNoCase("RUN") == 0 && !hasValue)
        return out.run = true;
    if (name.compareNoCase("LOG") == 0) {
        if (hasValue && value.empty())
            return false;
        out.logPath = value;
        return out.log = true;
    }
    if (name.compareNoCase("D") == 0) {
        if (value.empty())
            return false;
        out.folder = value;
        return out.hasFolder = true;
    }
    if (name.compareNoCase("TYPES") == 0)
        return parseList(value, TypeItems, out.types);
    if (name.compareNoCase("PLUGINS") == 0)
        return parseList(value, PluginItems, out.plugins);
    if (name.compareNoCase("SHORTCUTS") == 0)
        return parseList(value, ShortcutItems, out.shortcuts);
    return false;
}

const char* skipBlanks(const char* p) {
    while (*p && isBlank(*p))
        ++p;
    return p;
}

const char* argumentEnd(const char* p) {
    while (*p && !isBlank(*p))
        ++p;
    return p;
}

// A switch written after /D=, which would otherwise silently become part of
// the folder: any "/" (no folder holds one), or a blank, "-" and the name of
// a switch. Null when there is none.
const char* switchAfterFolder(const char* folder) {
    for (const char* p = folder; *p; ++p) {
        if (*p == '/')
            return p;
        if (p > folder && isBlank(p[-1]) && *p == '-') {
            CommandLine scratch;
            if (interpret(KString(p, static_cast<int>(argumentEnd(p) - p)), scratch))
                return p;
        }
    }
    return nullptr;
}

// The rest of the line after /D=, as NSIS-made installers take it; a pair of
// quotation marks around it goes, since no folder can hold one anyway.
KString folderText(const char* rest) {
    KString folder(rest);
    folder.trim();
    if (folder.length() >= 2 && folder.at(0) == '"' && folder.at(folder.length() - 1) == '"')
        folder = folder.mid(1, folder.length() - 2);
    return folder;
}

}  // namespace

bool parseCommandLine(const char* arguments, CommandLine& out) {
    bool understood = true;
    auto refuse = [&](const char* begin, const char* end) {
        if (understood)
            out.badArgument = KString(begin, static_cast<int>(end - begin));
        understood = false;
    };
    const char* p = skipBlanks(arguments ? arguments : "");
    while (*p) {
        const char* start = p;
        if (out.hasFolder) {  // /D= in quotes was not the last argument
            p = argumentEnd(p);
            refuse(start, p);
        } else if (isSwitchStart(p[0]) && (p[1] == 'D' || p[1] == 'd') && p[2] == '=') {
            if (const char* extra = switchAfterFolder(p + 3))
                refuse(extra, argumentEnd(extra));
            out.folder = folderText(p + 3);
            out.hasFolder = !out.folder.empty();
            if (!out.hasFolder)
                refuse(start, argumentEnd(start));
            break;
        } else {
            KString argument;
            bool quoted = false;
            for (; *p && (quoted || !isBlank(*p)); ++p) {
                if (*p == '"')
                    quoted = !quoted;
                else
                    argument += *p;
            }
            if (!interpret(argument, out))
                refuse(start, p);
        }
        p = skipBlanks(p);
    }
    return understood;
}

void applyChoices(const CommandLine& commandLine, InstallOptions& options) {
    if (commandLine.hasFolder)
        options.folder = folderFromEditText(commandLine.folder.chars());
    if (commandLine.types != NotGiven) {
        options.associateMid = (commandLine.types & TypeMid) != 0;
        options.associateMidi = (commandLine.types & TypeMidi) != 0;
        options.associateKar = (commandLine.types & TypeKar) != 0;
        options.associateRmi = (commandLine.types & TypeRmi) != 0;
    }
    if (commandLine.plugins != NotGiven) {
        options.internetExplorerPlugin = (commandLine.plugins & PluginIe) != 0;
        options.netscapePlugin = (commandLine.plugins & PluginNetscape) != 0;
    }
    if (commandLine.shortcuts != NotGiven) {
        options.desktopShortcut = (commandLine.shortcuts & ShortcutDesktop) != 0;
        options.quickLaunchShortcut = (commandLine.shortcuts & ShortcutQuickLaunch) != 0;
    }
}

KString commandLineHelp() {
    KString text(
        "Lorimund's Karaoke Player 2.04 installer\n\n"
        "karaoke204setup.exe [switches] [/D=folder]\n\n"
        "/S  -  install silently: no wizard and no window\n"
        "/D=folder  -  the target folder; must come last, without quotation marks\n"
        "/TYPES=list  -  file types: mid, midi, kar, rmi (comma-separated) or none\n"
        "/PLUGINS=list  -  browser plug-ins: ie, netscape or none\n"
        "/SHORTCUTS=list  -  shortcuts: desktop, quicklaunch or none\n"
        "/RUN  -  start the player after a silent install\n"
        "/LOG=file  -  append a log of the run (/LOG alone: %TEMP%\\");
    text += DefaultLogName;
    text += ")\n/? or /HELP  -  this help\n\nExit codes:";
    for (int code = 0; code < ExitCodeCount; ++code) {
        KString line;
        line.format("\n%d  -  %s", code, exitCodeMeaning(code));
        text += line;
    }
    return text;
}
