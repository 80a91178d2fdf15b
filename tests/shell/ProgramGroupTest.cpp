#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "ShellFolders.h"
#include "app/Installer.h"

namespace {

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

TEST(ProgramGroup, IsRebuiltWithItsThreeLinksAndTheEarlierOneGoes) {
    ShellFolders shell;
    const std::string earlier = shell.programs + "Lorimund's MIDI Player";
    const std::string group = shell.programs + "Lorimund's Karaoke Player";
    CreateDirectoryA(earlier.c_str(), nullptr);
    ASSERT_TRUE(writeFile(earlier + "\\Lorimund's MIDI Player.lnk", "old"));
    CreateDirectoryA(group.c_str(), nullptr);
    ASSERT_TRUE(writeFile(group + "\\Added by the user.lnk", "user"));
    SetFileAttributesA((group + "\\Added by the user.lnk").c_str(), FILE_ATTRIBUTE_READONLY);

    InstallOptions options;
    options.folder = shell.program.c_str();
    Installer(options, nullptr, nullptr).createProgramGroups();

    EXPECT_FALSE(pathExists(earlier));
    const std::set<std::string> expected = {"Lorimund's Karaoke Player.lnk",
                                            "Uninstall Lorimund's Karaoke Player.lnk",
                                            "Lorimund's Karaoke Player Help.lnk"};
    EXPECT_EQ(expected, filesIn(group));
    const struct {
        const char* name;
        const char* file;
    } links[] = {{"Lorimund's Karaoke Player", "melko.exe"},
                 {"Uninstall Lorimund's Karaoke Player", "remove.exe"},
                 {"Lorimund's Karaoke Player Help", "melko.hlp"}};
    for (const auto& link : links) {
        std::string target, description;
        ASSERT_TRUE(readLink(group + "\\" + link.name + ".lnk", target, description));
        EXPECT_EQ(shell.program + link.file, target);
        EXPECT_EQ(link.name, description);
    }
}
