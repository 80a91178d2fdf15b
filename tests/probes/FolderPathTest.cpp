#include <gtest/gtest.h>

#include <string>

#include "app/Probes.h"

TEST(FolderPath, DrivesAndCharacters) {
    EXPECT_TRUE(isValidFolderPath("C:"));
    EXPECT_TRUE(isValidFolderPath("z:"));
    EXPECT_TRUE(isValidFolderPath("C:\\"));
    EXPECT_TRUE(isValidFolderPath("C:\\Program Files\\Karaoke Player"));
    EXPECT_TRUE(isValidFolderPath("C:\\Program Files\\Karaoke Player\\"));
    EXPECT_FALSE(isValidFolderPath(""));
    EXPECT_FALSE(isValidFolderPath("C"));
    EXPECT_FALSE(isValidFolderPath("1:\\x"));
    EXPECT_FALSE(isValidFolderPath(":\\x"));
    EXPECT_FALSE(isValidFolderPath("C:Games"));
    EXPECT_FALSE(isValidFolderPath("\\\\server\\share"));
    EXPECT_FALSE(isValidFolderPath("C:\\\\Games"));
    EXPECT_FALSE(isValidFolderPath("C:\\Games\\\\Karaoke"));
    EXPECT_FALSE(isValidFolderPath(nullptr));

    EXPECT_TRUE(isValidFolderPath("C:\\My Songs (old)"));
    EXPECT_TRUE(isValidFolderPath("C:\\ .$%'-_@{}~`!#(),+=;[]09azAZ"));
    EXPECT_FALSE(isValidFolderPath("C:\\Songs*"));
    EXPECT_FALSE(isValidFolderPath("C:\\Songs/old"));
    EXPECT_FALSE(isValidFolderPath("C:\\Songs?"));
    EXPECT_FALSE(isValidFolderPath("C:\\Songs:old"));
    EXPECT_FALSE(isValidFolderPath("C:\\Caf\xE9"));
    EXPECT_FALSE(isValidFolderPath("C:\\Tab\there"));
}

TEST(FolderPath, LengthLimit) {
    std::string path = "C:\\";
    path.append(252, 'a');
    ASSERT_EQ(255u, path.size());
    EXPECT_TRUE(isValidFolderPath(path.c_str()));
    path += 'a';
    EXPECT_FALSE(isValidFolderPath(path.c_str()));
}
