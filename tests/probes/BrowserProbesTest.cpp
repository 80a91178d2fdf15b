#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/Probes.h"

TEST(BrowserProbes, VersionThresholds) {
    const struct { DWORD version; WORD major, minor; bool atLeast; } cases[] = {
        {MAKELONG(0, 3), 3, 0, true}, {MAKELONG(99, 2), 3, 0, false},
        {MAKELONG(70, 4), 4, 70, true}, {MAKELONG(69, 4), 4, 70, false},
        {MAKELONG(0, 5), 4, 70, true}};
    for (const auto& c : cases)
        EXPECT_EQ(c.atLeast, isVersionAtLeast(c.version, c.major, c.minor)) << c.version;
}

// This program carries version 4.70 (Version.rc) and stands in for both browsers.
TEST(BrowserProbes, VersionsOfAppPathEntries) {
    RegistrySandbox sandbox;
    TempFolder dir;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD ms = 0, ls = 0;
    ASSERT_TRUE(getFileVersion(self, ms, ls));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(70, 4)), ms);

    HKEY lm = HKEY_LOCAL_MACHINE;
    EXPECT_FALSE(isNetscapeInstalled() || isIExplorerInstalled());
    ASSERT_TRUE(regSetString(lm, NetscapeAppPathKey.chars(), "", self));
    ASSERT_TRUE(regSetString(lm, IExploreAppPathKey.chars(), "", self));
    EXPECT_TRUE(isNetscapeInstalled());
    EXPECT_TRUE(isIExplorerInstalled());
    ASSERT_TRUE(writeFile(dir / "plain.exe", "no version"));
    ASSERT_TRUE(regSetString(lm, NetscapeAppPathKey.chars(), "", (dir / "plain.exe").c_str()));
    ASSERT_TRUE(regSetString(lm, IExploreAppPathKey.chars(), "", (dir / "gone.exe").c_str()));
    EXPECT_FALSE(isNetscapeInstalled());
    EXPECT_FALSE(isIExplorerInstalled());
}
