#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "TempFolder.h"
#include "app/Probes.h"
#include "app/TargetFolderRules.h"

using Cases = std::pair<std::string, std::string>[];

TEST(TargetFolderRules, EditTextBecomesTheFolder) {
    // Only one backslash goes; the rest is for the folder check to refuse.
    for (const auto& c :
         Cases{{"  C:\\Games\\ \t", "C:\\Games"}, {"C:\\", "C:"}, {"C:\\Games\\\\", "C:\\Games\\"}})
        EXPECT_STREQ(c.second.c_str(), folderFromEditText(c.first.c_str()).chars()) << c.first;
    EXPECT_TRUE(isBareDrive(folderFromEditText("C:\\")));
    EXPECT_FALSE(isBareDrive(folderFromEditText("C:\\Games")));
}

TEST(TargetFolderRules, WhereTheBrowserStarts) {
    TempFolder temp;
    const std::string base = temp.path().substr(0, temp.path().size() - 1);
    const std::string product = base + "\\Lorimund's Karaoke Player";
    const std::string programFiles = getProgramFilesFolder().chars();
    ASSERT_TRUE(isValidFolderPath(product.c_str())) << product;
    EXPECT_STREQ(base.c_str(), browseStartFolder(("  " + product + "\\ ").c_str()).chars());
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
    // The product name must be the whole last component, in its own case.
    for (const auto& c : Cases{{product, product},
                               {base + "\\GamesLorimund's Karaoke Player", ""},
                               {base + "\\lorimund's karaoke player", ""},
                               {"C:", "C:\\"},
                               {"C:\\", "C:\\"},
                               {"X:\\Lorimund's Karaoke Player", "X:\\"},
                               {"\\\\server\\share", programFiles},
                               {"C:\\Songs*", programFiles},
                               {"", programFiles}})
        EXPECT_EQ(c.second.empty() ? c.first : c.second, browseStartFolder(c.first.c_str()).chars())
            << c.first;
}

TEST(TargetFolderRules, ChosenFolderGetsTheProductFolderOnce) {
    for (const auto& c :
         Cases{{"D:\\Tools", "D:\\Tools\\Lorimund's Karaoke Player"},
               {" D:\\Tools\\ ", "D:\\Tools\\Lorimund's Karaoke Player"},
               {"D:\\", "D:\\Lorimund's Karaoke Player"},
               {"D:\\Apps\\Lorimund's Karaoke Player\\", "D:\\Apps\\Lorimund's Karaoke Player"},
               {"D:\\lorimund's karaoke player",
                "D:\\lorimund's karaoke player\\Lorimund's Karaoke Player"}})
        EXPECT_EQ(c.second, productFolderBelow(c.first.c_str()).chars()) << c.first;
}
