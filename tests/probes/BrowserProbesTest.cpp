#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/Probes.h"

namespace {

std::string ownPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void setAppPath(const KString& key, const std::string& path) {
    ASSERT_TRUE(regSetString(HKEY_LOCAL_MACHINE, key.chars(), "", path.c_str()));
}

}  // namespace

TEST(BrowserProbes, VersionThresholds) {
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(0, 3), 3, 0));
    EXPECT_FALSE(isVersionAtLeast(MAKELONG(99, 2), 3, 0));
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(70, 4), 4, 70));
    EXPECT_FALSE(isVersionAtLeast(MAKELONG(69, 4), 4, 70));
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(0, 5), 4, 70));
    EXPECT_TRUE(isVersionAtLeast(MAKELONG(0, 0xFFFF), 4, 70));
}

TEST(BrowserProbes, FileVersion) {
    DWORD ms = 0, ls = 0;
    ASSERT_TRUE(getFileVersion(ownPath().c_str(), ms, ls));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(70, 4)), ms);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(1, 3)), ls);

    TempFolder dir;
    ASSERT_TRUE(writeFile(dir / "plain.exe", "not a program"));
    EXPECT_FALSE(getFileVersion((dir / "plain.exe").c_str(), ms, ls));
    EXPECT_FALSE(getFileVersion((dir / "missing.exe").c_str(), ms, ls));
}

TEST(BrowserProbes, AppPathEntries) {
    RegistrySandbox sandbox;
    EXPECT_FALSE(isNetscapeInstalled());
    EXPECT_FALSE(isIExplorerInstalled());

    // The version 4.70 of this program meets both thresholds exactly or above.
    setAppPath(NetscapeAppPathKey, ownPath());
    setAppPath(IExploreAppPathKey, ownPath());
    EXPECT_TRUE(isNetscapeInstalled());
    EXPECT_TRUE(isIExplorerInstalled());

    TempFolder dir;
    ASSERT_TRUE(writeFile(dir / "netscape.exe", "no version"));
    setAppPath(NetscapeAppPathKey, dir / "netscape.exe");
    setAppPath(IExploreAppPathKey, dir / "missing.exe");
    EXPECT_FALSE(isNetscapeInstalled());
    EXPECT_FALSE(isIExplorerInstalled());

    ASSERT_TRUE(regSetDword(HKEY_LOCAL_MACHINE, IExploreAppPathKey.chars(), "", 1));
    EXPECT_FALSE(isIExplorerInstalled());
}
