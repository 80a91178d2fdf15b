#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/Probes.h"

TEST(FolderProbes, ProgramFilesFolder) {
    RegistrySandbox sandbox;
    EXPECT_STREQ("C:\\Program Files", getProgramFilesFolder().chars());
    HKEY lm = HKEY_LOCAL_MACHINE;
    const char* key = CurrentVersionKey.chars();
    ASSERT_TRUE(regSetString(lm, key, "ProgramFilesDir", "D:\\Programme\\"));
    EXPECT_STREQ("D:\\Programme", getProgramFilesFolder().chars());
    ASSERT_TRUE(regSetString(lm, key, "ProgramFilesDir", "\t\v D:\\Programme\f\r\n"));
    EXPECT_STREQ("D:\\Programme", getProgramFilesFolder().chars());
    ASSERT_TRUE(regSetString(lm, key, "ProgramFilesDir", "\\\\server\\share"));
    EXPECT_STREQ("C:\\Program Files", getProgramFilesFolder().chars());
    ASSERT_TRUE(regSetDword(lm, key, "ProgramFilesDir", 5));
    EXPECT_STREQ("C:\\Program Files", getProgramFilesFolder().chars());
}

TEST(FolderProbes, QuickLaunchFolder) {
    RegistrySandbox sandbox;
    TempFolder dir;
    KString found("untouched");
    EXPECT_FALSE(findQuickLaunchFolder(&found));
    EXPECT_STREQ("untouched", found.chars());

    HKEY cu = HKEY_CURRENT_USER;
    const char* key = MapGroupsKey.chars();
    std::string folder = dir / "Quick Launch";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(regSetString(cu, key, "Quick Launch", (" " + folder + " ").c_str()));
    EXPECT_TRUE(findQuickLaunchFolder());
    EXPECT_TRUE(findQuickLaunchFolder(&found));
    EXPECT_EQ(folder + "\\", found.chars());

    // Any attribute besides "directory" disqualifies the folder (Wine keeps
    // no read-only flag on folders, so a hidden one stands in).
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(findQuickLaunchFolder());
    ASSERT_TRUE(regSetString(cu, key, "Quick Launch", (dir / "Gone").c_str()));
    EXPECT_FALSE(findQuickLaunchFolder());
}

TEST(FolderProbes, ExistenceAndDesktop) {
    TempFolder dir;
    ASSERT_TRUE(writeFile(dir / "file.txt", "x"));
    EXPECT_TRUE(fileExists((dir / "file.txt").c_str()));
    EXPECT_FALSE(fileExists((dir / "missing").c_str()));
    EXPECT_TRUE(isPlainDirectory(dir.path().c_str()));
    EXPECT_FALSE(isPlainDirectory((dir / "file.txt").c_str()));
    EXPECT_FALSE(isPlainDirectory((dir / "missing").c_str()));

    KString desktop;
    ASSERT_TRUE(getDesktopFolder(desktop));
    ASSERT_FALSE(desktop.empty());
    EXPECT_EQ('\\', desktop.at(desktop.length() - 1));
    EXPECT_TRUE(isPlainDirectory(desktop.chars()));
}
