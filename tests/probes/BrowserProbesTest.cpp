#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/Probes.h"

TEST(BrowserProbes, VersionThresholds) {
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(0, 3), 3, 0));
    EXPECT_FALSE(isVersionAtLeast(MAKELONG(99, 2), 3, 0));
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(70, 4), 4, 70));
    EXPECT_FALSE(isVersionAtLeast(MAKELONG(69, 4), 4, 70));
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(0, 5), 4, 70));
}

// This program carries version 4.70.3.1 (Version.rc) and stands in for both
// browsers; it is not named iexplore.exe, whose version Wine makes up.
TEST(BrowserProbes, VersionsOfAppPathEntries) {
    RegistrySandbox sandbox;
    TempFolder dir;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD ms = 0, ls = 0;
    ASSERT_TRUE(getFileVersion(self, ms, ls));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(70, 4)), ms);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(1, 3)), ls);
    ASSERT_TRUE(writeFile(dir / "plain.exe", "no version"));
    EXPECT_FALSE(getFileVersion((dir / "plain.exe").c_str(), ms, ls));

    HKEY lm = HKEY_LOCAL_MACHINE;
    EXPECT_FALSE(isNetscapeInstalled());
    EXPECT_FALSE(isIExplorerInstalled());
    ASSERT_TRUE(regSetString(lm, NetscapeAppPathKey.chars(), "", self));
    ASSERT_TRUE(regSetString(lm, IExploreAppPathKey.chars(), "", self));
    EXPECT_TRUE(isNetscapeInstalled());
    EXPECT_TRUE(isIExplorerInstalled());
    ASSERT_TRUE(regSetString(lm, NetscapeAppPathKey.chars(), "", (dir / "plain.exe").c_str()));
    ASSERT_TRUE(regSetString(lm, IExploreAppPathKey.chars(), "", (dir / "gone.exe").c_str()));
    EXPECT_FALSE(isNetscapeInstalled());
    EXPECT_FALSE(isIExplorerInstalled());
    ASSERT_TRUE(regSetDword(lm, IExploreAppPathKey.chars(), "", 1));
    EXPECT_FALSE(isIExplorerInstalled());
}
