#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/InstallOptions.h"
#include "app/Probes.h"

TEST(FolderProbes, FolderPathSyntax) {
    const struct { std::string path; bool valid; } cases[] = {
        {"C:", true}, {"z:", true}, {"C:\\", true}, {"C:\\Program Files\\Karaoke Player\\", true},
        {"C:\\My Songs (old)", true}, {"C:\\ .$%'-_@{}~`!#(),+=;[]09azAZ", true},
        {"C:\\" + std::string(252, 'a'), true}, {"C:\\" + std::string(253, 'a'), false},
        {"", false}, {"C", false}, {"1:\\x", false}, {"C:Games", false},
        {"\\\\server\\share", false}, {"C:\\\\Games", false}, {"C:\\Games\\\\Karaoke", false},
        {"C:\\Songs*", false}, {"C:\\Songs/old", false}, {"C:\\Caf\xE9", false},
        {"C:\\Tab\there", false}, {"C:\\Songs?", false}, {"C:\\Songs:old", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, isValidFolderPath(c.path.c_str())) << c.path.size() << " " << c.path;
    EXPECT_FALSE(isValidFolderPath(nullptr));
}

TEST(FolderProbes, FreeSpace) {
    auto bytes = [](ULONGLONG n) { ULARGE_INTEGER v; v.QuadPart = n; return v; };
    EXPECT_TRUE(enoughFreeBytes(bytes(2621440), 2621440));
    EXPECT_FALSE(enoughFreeBytes(bytes(2621439), 2621440));
    EXPECT_TRUE(enoughFreeBytes(bytes(0x100000000ULL), 2621440));
    // 8 sectors of 512 bytes: 640 clusters make exactly 2,621,440 bytes.
    EXPECT_TRUE(enoughClusterBytes(8, 512, 640, 2621440));
    EXPECT_FALSE(enoughClusterBytes(8, 512, 639, 2621440));
    EXPECT_TRUE(enoughClusterBytes(8, 512, 1048577, 2621440));  // wraps to 4 KB in 32 bits
    EXPECT_TRUE(hasFreeDiskSpace('c', 2621440));
    EXPECT_FALSE(hasFreeDiskSpace('Q', 1));  // no such drive
}

TEST(FolderProbes, ProgramFilesFolder) {
    RegistrySandbox sandbox;
    EXPECT_STREQ("C:\\Program Files", getProgramFilesFolder().chars());
    const struct { const char* value; const char* folder; } cases[] = {
        {"D:\\Programme\\", "D:\\Programme"}, {"\t\v D:\\Programme\f\r\n", "D:\\Programme"},
        {"\\\\server\\share", "C:\\Program Files"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(regSetString(HKEY_LOCAL_MACHINE, CurrentVersionKey.chars(), "ProgramFilesDir",
                                 c.value));
        EXPECT_STREQ(c.folder, getProgramFilesFolder().chars()) << c.value;
    }
}

TEST(FolderProbes, QuickLaunchFolder) {
    RegistrySandbox sandbox;
    TempFolder dir;
    KString found("untouched");
    EXPECT_FALSE(findQuickLaunchFolder(&found));
    EXPECT_STREQ("untouched", found.chars());

    const char* key = MapGroupsKey.chars();
    std::string folder = dir / "Quick Launch";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(regSetString(HKEY_CURRENT_USER, key, "Quick Launch", (" " + folder + " ").c_str()));
    EXPECT_TRUE(findQuickLaunchFolder());
    EXPECT_TRUE(findQuickLaunchFolder(&found));
    EXPECT_EQ(folder + "\\", found.chars());
    // Any attribute besides "directory" disqualifies it (Wine keeps no read-only flag on folders).
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(findQuickLaunchFolder());
    ASSERT_TRUE(regSetString(HKEY_CURRENT_USER, key, "Quick Launch", (dir / "Gone").c_str()));
    EXPECT_FALSE(findQuickLaunchFolder());
}

TEST(InstallOptions, EveryChoiceStartsTicked) {
    RegistrySandbox sandbox;
    InstallOptions o;
    const struct { const char* name; bool ticked; } choices[] = {
        {"desktop", o.desktopShortcut}, {"Quick Launch", o.quickLaunchShortcut},
        {"Internet Explorer", o.internetExplorerPlugin}, {"Netscape", o.netscapePlugin},
        {".kar", o.associateKar}, {".mid", o.associateMid}, {".midi", o.associateMidi},
        {".rmi", o.associateRmi}};
    for (const auto& choice : choices)
        EXPECT_TRUE(choice.ticked) << choice.name;
}

TEST(InstallOptions, FolderFromUninstallCommand) {
    const struct { const char* command; const char* folder; } cases[] = {
        {"D:\\Apps\\Karaoke\\REMOVE.EXE", "D:\\Apps\\Karaoke"}, {"C:\\Remove.exe", "C:"},
        {"D:\\Apps\\Karaoke\\myremove.exe", ""}, {"\"D:\\Apps\\Karaoke\\REMOVE.EXE\"", ""},
        {"remove.exe", ""}, {"emove.exe", ""}, {"\\remove.exe", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.folder, folderFromUninstallString(KString(c.command)).chars()) << c.command;
}

TEST(InstallOptions, FolderFromTheRegistry) {
    RegistrySandbox sandbox;
    EXPECT_STREQ("C:\\Program Files\\Lorimund's Karaoke Player", InstallOptions().folder.chars());
    const char* key = UninstallKey.chars();
    // 259 characters are read, 260 are not.
    std::string command = "D:\\" + std::string(245, 'k') + "\\remove.exe";
    ASSERT_TRUE(regSetString(HKEY_LOCAL_MACHINE, key, "UninstallString", command.c_str()));
    EXPECT_EQ(command.substr(0, 248), InstallOptions().folder.chars()) << command.size();
    ASSERT_TRUE(regSetString(HKEY_LOCAL_MACHINE, key, "UninstallString", ("k" + command).c_str()));
    ASSERT_TRUE(regSetString(HKEY_LOCAL_MACHINE, CurrentVersionKey.chars(), "ProgramFilesDir",
                             "E:\\"));
    EXPECT_STREQ("E:\\Lorimund's Karaoke Player", InstallOptions().folder.chars());
}
