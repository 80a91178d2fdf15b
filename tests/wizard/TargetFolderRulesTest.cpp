#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TempFolder.h"
#include "app/Probes.h"
#include "app/TargetFolderRules.h"

namespace {

std::string startFor(const std::string& edit) {
    return browseStartFolder(edit.c_str()).chars();
}

std::string proposalFor(const std::string& chosen) {
    return productFolderBelow(chosen.c_str()).chars();
}

}  // namespace

TEST(TargetFolderRules, EditTextBecomesTheFolder) {
    EXPECT_STREQ("C:\\Games", folderFromEditText("  C:\\Games\\ \t").chars());
    KString root = folderFromEditText("C:\\");
    EXPECT_STREQ("C:", root.chars());
    EXPECT_TRUE(isBareDrive(root));
    EXPECT_FALSE(isBareDrive(folderFromEditText("C:\\Games")));
    // Only one backslash goes; the rest is for the folder check to refuse.
    EXPECT_STREQ("C:\\Games\\", folderFromEditText("C:\\Games\\\\").chars());
}

TEST(TargetFolderRules, BrowserStartsAtTheProductFoldersParentUntilItExists) {
    TempFolder temp;
    std::string base = temp.path().substr(0, temp.path().size() - 1);
    std::string product = base + "\\Lorimund's Karaoke Player";
    ASSERT_TRUE(isValidFolderPath(product.c_str())) << product;
    EXPECT_EQ(base, startFor("  " + product + "\\ "));
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
    EXPECT_EQ(product, startFor(product));

    // The product name must be the whole last component, in its own case.
    EXPECT_EQ(base + "\\GamesLorimund's Karaoke Player",
              startFor(base + "\\GamesLorimund's Karaoke Player"));
    EXPECT_EQ(base + "\\lorimund's karaoke player", startFor(base + "\\lorimund's karaoke player"));
}

TEST(TargetFolderRules, BrowserStartsAtADriveRootOrProgramFiles) {
    EXPECT_EQ("C:\\", startFor("C:"));
    EXPECT_EQ("C:\\", startFor("C:\\"));
    EXPECT_EQ("X:\\", startFor("X:\\Lorimund's Karaoke Player"));
    const std::string programFiles = getProgramFilesFolder().chars();
    EXPECT_EQ(programFiles, startFor("\\\\server\\share"));
    EXPECT_EQ(programFiles, startFor("C:\\Songs*"));
    EXPECT_EQ(programFiles, startFor(""));
}

TEST(TargetFolderRules, ChosenFolderGetsTheProductFolderOnce) {
    EXPECT_EQ("D:\\Tools\\Lorimund's Karaoke Player", proposalFor("D:\\Tools"));
    EXPECT_EQ("D:\\Tools\\Lorimund's Karaoke Player", proposalFor(" D:\\Tools\\ "));
    EXPECT_EQ("D:\\Lorimund's Karaoke Player", proposalFor("D:\\"));
    EXPECT_EQ("D:\\Apps\\Lorimund's Karaoke Player",
              proposalFor("D:\\Apps\\Lorimund's Karaoke Player\\"));
    EXPECT_EQ("D:\\lorimund's karaoke player\\Lorimund's Karaoke Player",
              proposalFor("D:\\lorimund's karaoke player"));
}
