// Rules the plug-in step tests do not reach.
#include <gtest/gtest.h>

#include "plugins/PluginPaths.h"

TEST(PluginPaths, EdgesOfFoldersAndVersions) {
    EXPECT_STREQ("C:\\Nav 3\\program\\plugins\\npmelko.dll", navigator3PluginPath(KString("C:\\Nav 3\\")).chars());
    KString version;
    EXPECT_TRUE(isNavigator4Version(KString("\t4.08 (en) \r\n"), version));
    EXPECT_STREQ("4.08 (en)", version.chars());
    EXPECT_TRUE(isNavigator4Version(KString("4."), version));
    for (const char* other : {"4,5", "", "  ", "x4.5", "14.0"})
        EXPECT_FALSE(isNavigator4Version(KString(other), version)) << other;
    KString path;
    ASSERT_TRUE(internetExplorerPluginPath(KString("C:\\iexplore.exe"), path));
    EXPECT_STREQ("C:\\plugins\\npmelko.dll", path.chars());
    EXPECT_FALSE(internetExplorerPluginPath(KString(""), path));
}
