#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"
#include "app/ExitCodes.h"

namespace {

struct Parsed {
    bool understood;
    CommandLine line;
};

Parsed parse(const char* arguments) {
    Parsed parsed;
    parsed.understood = parseCommandLine(arguments, parsed.line);
    return parsed;
}

}  // namespace

TEST(CommandLine, SwitchesInAnyCaseWithSlashOrDash) {
    const struct {
        const char* arguments;
        bool silent, help, run, log;
        const char* logPath;
        int types, plugins, shortcuts;
    } cases[] = {
        {"", false, false, false, false, "", NotGiven, NotGiven, NotGiven},
        {"  /S  ", true, false, false, false, "", NotGiven, NotGiven, NotGiven},
        {"-s -run /Help", true, true, true, false, "", NotGiven, NotGiven, NotGiven},
        {"/?", false, true, false, false, "", NotGiven, NotGiven, NotGiven},
        {"/LOG", false, false, false, true, "", NotGiven, NotGiven, NotGiven},
        {"/log=C:\\logs\\a.log /S", true, false, false, true, "C:\\logs\\a.log", NotGiven,
         NotGiven, NotGiven},
        {"\"/LOG=C:\\My Logs\\a.log\"", false, false, false, true, "C:\\My Logs\\a.log", NotGiven,
         NotGiven, NotGiven},
        {"/LOG=\"C:\\My Logs\\a.log\" /s", true, false, false, true, "C:\\My Logs\\a.log",
         NotGiven, NotGiven, NotGiven},
        {"/TYPES=mid,KAR /PLUGINS=none /SHORTCUTS=QuickLaunch", false, false, false, false, "",
         TypeMid | TypeKar, 0, ShortcutQuickLaunch},
        {"/types=midi,rmi,mid,kar,mid /plugins=netscape,ie /shortcuts=none", false, false, false,
         false, "", TypeMid | TypeMidi | TypeKar | TypeRmi, PluginIe | PluginNetscape, 0},
    };
    for (const auto& c : cases) {
        Parsed parsed = parse(c.arguments);
        EXPECT_TRUE(parsed.understood) << c.arguments << ": " << parsed.line.badArgument.chars();
        EXPECT_EQ(c.silent, parsed.line.silent) << c.arguments;
        EXPECT_EQ(c.help, parsed.line.help) << c.arguments;
        EXPECT_EQ(c.run, parsed.line.run) << c.arguments;
        EXPECT_EQ(c.log, parsed.line.log) << c.arguments;
        EXPECT_STREQ(c.logPath, parsed.line.logPath.chars()) << c.arguments;
        EXPECT_EQ(c.types, parsed.line.types) << c.arguments;
        EXPECT_EQ(c.plugins, parsed.line.plugins) << c.arguments;
        EXPECT_EQ(c.shortcuts, parsed.line.shortcuts) << c.arguments;
        EXPECT_FALSE(parsed.line.hasFolder) << c.arguments;
    }
}

// The folder is the rest of the line, spaces and all, as NSIS-made installers
// take it; a switch written after it would silently become part of it, so it
// is refused instead.
TEST(CommandLine, FolderIsTheRestOfTheLineAndNothingMayFollowIt) {
    const struct {
        const char* arguments;
        const char* folder;  // null: refused
        const char* bad;
    } cases[] = {
        {"/S /D=C:\\Program Files\\My Karaoke  ", "C:\\Program Files\\My Karaoke", ""},
        {"-d=D:\\Songs (old)\\", "D:\\Songs (old)\\", ""},
        {"/D=\"C:\\Quoted Folder\"", "C:\\Quoted Folder", ""},
        {"/D=C:\\Games -x", "C:\\Games -x", ""},  // "-x" is no switch: a folder name
        {"/D=C:\\Games /S", nullptr, "/S"},
        {"/S /D=C:\\Games -LOG=C:\\a.log", nullptr, "-LOG=C:\\a.log"},
        {"/D=C:\\Games\\a/b", nullptr, "/b"},
        {"\"/D=C:\\Two Words\" /RUN", nullptr, "/RUN"},
        {"/D=", nullptr, "/D="},
        {"/D=   ", nullptr, "/D="},
        {"/D C:\\Games", nullptr, "/D"},
    };
    for (const auto& c : cases) {
        Parsed parsed = parse(c.arguments);
        EXPECT_EQ(c.folder != nullptr, parsed.understood) << c.arguments;
        EXPECT_STREQ(c.bad, parsed.line.badArgument.chars()) << c.arguments;
        if (c.folder)
            EXPECT_STREQ(c.folder, parsed.line.folder.chars()) << c.arguments;
    }
    // A quoted /D= is one argument like any other.
    Parsed quoted = parse("/S \"/D=C:\\Two Words\"");
    EXPECT_TRUE(quoted.understood);
    EXPECT_STREQ("C:\\Two Words", quoted.line.folder.chars());
}

TEST(CommandLine, FirstBadArgumentIsNamedAndTheRestStillRead) {
    const struct {
        const char* arguments;
        const char* bad;
    } cases[] = {
        {"/X", "/X"},
        {"install", "install"},
        {"/S=1", "/S=1"},
        {"/RUN=yes", "/RUN=yes"},
        {"/LOG=", "/LOG="},
        {"/TYPES=", "/TYPES="},
        {"/TYPES=wav", "/TYPES=wav"},
        {"/TYPES=mid,,kar", "/TYPES=mid,,kar"},
        {"/TYPES=mid,", "/TYPES=mid,"},
        {"/PLUGINS=none,ie", "/PLUGINS=none,ie"},
        {"/SHORTCUTS=start", "/SHORTCUTS=start"},
        {"/ /S", "/"},
        {"-", "-"},
        {"/TYPES /S", "/TYPES"},
        {"/Q /X", "/Q"},
    };
    for (const auto& c : cases) {
        Parsed parsed = parse(c.arguments);
        EXPECT_FALSE(parsed.understood) << c.arguments;
        EXPECT_STREQ(c.bad, parsed.line.badArgument.chars()) << c.arguments;
    }
    // A silent run with a typing error stays silent and still finds its log.
    Parsed parsed = parse("/X /S /LOG=C:\\a.log");
    EXPECT_TRUE(parsed.line.silent);
    EXPECT_STREQ("C:\\a.log", parsed.line.logPath.chars());
}

TEST(CommandLine, ChoicesReplaceOnlyTheDefaultsTheyName) {
    InstallOptions options;
    const KString folder = options.folder;
    CommandLine line;
    ASSERT_TRUE(parseCommandLine("/TYPES=kar /SHORTCUTS=none", line));
    applyChoices(line, options);
    EXPECT_STREQ(folder.chars(), options.folder.chars());
    EXPECT_FALSE(options.associateMid);
    EXPECT_FALSE(options.associateMidi);
    EXPECT_TRUE(options.associateKar);
    EXPECT_FALSE(options.associateRmi);
    EXPECT_FALSE(options.desktopShortcut);
    EXPECT_FALSE(options.quickLaunchShortcut);
    EXPECT_TRUE(options.internetExplorerPlugin);  // no /PLUGINS: the default stays
    EXPECT_TRUE(options.netscapePlugin);

    CommandLine folderLine;
    ASSERT_TRUE(parseCommandLine("/PLUGINS=netscape /D= \tD:\\Karaoke\\ ", folderLine));
    applyChoices(folderLine, options);
    EXPECT_STREQ("D:\\Karaoke", options.folder.chars());  // the folder page's edit rules
    EXPECT_FALSE(options.internetExplorerPlugin);
    EXPECT_TRUE(options.netscapePlugin);
    EXPECT_TRUE(options.associateKar);  // earlier choices stay
}

TEST(CommandLine, HelpListsEverySwitchAndEveryExitCode) {
    std::string help = commandLineHelp().chars();
    for (const char* part : {"/S ", "/D=folder", "/TYPES=", "/PLUGINS=", "/SHORTCUTS=", "/RUN",
                             "/LOG=", "%TEMP%\\karaoke204setup.log", "/? or /HELP"})
        EXPECT_NE(std::string::npos, help.find(part)) << part;
    for (int code = 0; code < ExitCodeCount; ++code) {
        std::string line = "\n" + std::to_string(code) + "  -  " + exitCodeMeaning(code);
        EXPECT_NE(std::string::npos, help.find(line)) << line;
        EXPECT_STRNE("unknown", exitCodeMeaning(code));
    }
}
