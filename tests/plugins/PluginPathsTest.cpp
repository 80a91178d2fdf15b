#include <gtest/gtest.h>

#include "plugins/PluginPaths.h"

TEST(PluginPaths, NavigatorFoldersAreTrimmedAndEndInABackslash) {
    const char* expected = "C:\\Nav 3\\program\\plugins\\npmelko.dll";
    EXPECT_STREQ(expected, navigator3PluginPath(KString("C:\\Nav 3\\")).chars());
    EXPECT_STREQ(expected, navigator3PluginPath(KString(" \tC:\\Nav 3  ")).chars());
    EXPECT_STREQ("D:\\P\\npmelko.dll", navigator4PluginPath(KString("  D:\\P ")).chars());
    EXPECT_STREQ("D:\\P\\npmelko.dll", navigator4PluginPath(KString("D:\\P\\")).chars());
}

TEST(PluginPaths, Navigator4VersionsBeginWith4Dot) {
    KString version;
    EXPECT_TRUE(isNavigator4Version(KString(" 4.5"), version));
    EXPECT_STREQ("4.5", version.chars());
    EXPECT_TRUE(isNavigator4Version(KString("\t4.08 (en) \r\n"), version));
    EXPECT_STREQ("4.08 (en)", version.chars());
    EXPECT_TRUE(isNavigator4Version(KString("4."), version));
    for (const char* other : {"4", "40", "3.04", "4,5", "", "  ", "x4.5", "14.0"})
        EXPECT_FALSE(isNavigator4Version(KString(other), version)) << other;
}

TEST(PluginPaths, InternetExplorerPluginsFolderIsBesideTheProgram) {
    KString path;
    ASSERT_TRUE(internetExplorerPluginPath(KString("  C:\\Program Files\\IE\\browser.exe \t"), path));
    EXPECT_STREQ("C:\\Program Files\\IE\\plugins\\npmelko.dll", path.chars());
    ASSERT_TRUE(internetExplorerPluginPath(KString("C:\\iexplore.exe"), path));
    EXPECT_STREQ("C:\\plugins\\npmelko.dll", path.chars());
    EXPECT_FALSE(internetExplorerPluginPath(KString("iexplore.exe"), path));
    EXPECT_FALSE(internetExplorerPluginPath(KString(" \\iexplore.exe"), path));
    EXPECT_FALSE(internetExplorerPluginPath(KString(""), path));
}
