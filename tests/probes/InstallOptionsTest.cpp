#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "app/Constants.h"
#include "app/InstallOptions.h"

namespace {

std::string folderOf(const char* command) {
    return folderFromUninstallString(KString(command)).chars();
}

const char* const DefaultFolder = "C:\\Program Files\\Lorimund's Karaoke Player";

}  // namespace

TEST(InstallOptions, FolderFromUninstallCommand) {
    EXPECT_EQ("D:\\Apps\\Karaoke", folderOf("D:\\Apps\\Karaoke\\REMOVE.EXE"));
    EXPECT_EQ("C:", folderOf("C:\\Remove.exe"));
    EXPECT_EQ("", folderOf("D:\\Apps\\Karaoke\\myremove.exe"));
    EXPECT_EQ("", folderOf("\"D:\\Apps\\Karaoke\\REMOVE.EXE\""));
    EXPECT_EQ("", folderOf("remove.exe"));
    EXPECT_EQ("", folderOf("emove.exe"));
    EXPECT_EQ("", folderOf("\\remove.exe"));
}

TEST(InstallOptions, DefaultsFromTheRegistry) {
    RegistrySandbox sandbox;
    InstallOptions fresh;
    EXPECT_STREQ(DefaultFolder, fresh.folder.chars());
    EXPECT_TRUE(fresh.quickLaunchShortcut && fresh.internetExplorerPlugin && fresh.associateRmi);

    HKEY lm = HKEY_LOCAL_MACHINE;
    const char* key = UninstallKey.chars();
    ASSERT_TRUE(regSetString(lm, key, "UninstallString", "D:\\Apps\\Karaoke\\REMOVE.EXE"));
    EXPECT_STREQ("D:\\Apps\\Karaoke", InstallOptions().folder.chars());

    // 259 characters are read, 260 are not.
    std::string command = "D:\\" + std::string(245, 'k') + "\\remove.exe";
    ASSERT_EQ(259u, command.size());
    ASSERT_TRUE(regSetString(lm, key, "UninstallString", command.c_str()));
    EXPECT_EQ(command.substr(0, 248), InstallOptions().folder.chars());
    command.insert(3, "k");
    ASSERT_TRUE(regSetString(lm, key, "UninstallString", command.c_str()));
    EXPECT_STREQ(DefaultFolder, InstallOptions().folder.chars());

    ASSERT_TRUE(regSetString(lm, key, "UninstallString", "D:\\Apps\\Karaoke\\myremove.exe"));
    ASSERT_TRUE(regSetString(lm, CurrentVersionKey.chars(), "ProgramFilesDir", "E:\\"));
    EXPECT_STREQ("E:\\Lorimund's Karaoke Player", InstallOptions().folder.chars());
}
