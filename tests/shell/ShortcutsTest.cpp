#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ShellFolders.h"
#include "app/Installer.h"
#include "app/Probes.h"
#include "shell/ShellLink.h"

namespace {

const char* const Records = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Backup\\Shortcuts";
const std::string LinkName = "Lorimund's Karaoke Player.lnk";

std::string recorded(const char* name) {
    std::string value = "-";
    regGetString(HKEY_CURRENT_USER, Records, name, value);
    return value;
}

void createShortcuts(const ShellFolders& shell, bool quickLaunch, bool desktop) {
    InstallOptions options;
    options.folder = shell.program.c_str();
    options.quickLaunchShortcut = quickLaunch;
    options.desktopShortcut = desktop;
    Installer(options, nullptr, nullptr).createShortcuts();
}

void expectPlayerLink(const ShellFolders& shell, const std::string& path) {
    std::string target, description;
    ASSERT_TRUE(readLink(path, target, description)) << path;
    EXPECT_EQ(shell.program + "melko.exe", target);
    EXPECT_EQ("Lorimund's Karaoke Player", description);
}

// A test writes real shortcuts only where it set the desktop to be.
bool scratchDesktop(const ShellFolders& shell) {
    KString found;
    return getDesktopFolder(found) && shell.desktop == found.chars();
}

// A "\\?\" path of exactly `length` characters, in folders made for it.
struct DeepPath {
    std::vector<std::wstring> folders;
    std::string path;

    DeepPath(const std::string& base, size_t length) : path("\\\\?\\" + base) {
        while (length - path.size() > 200) {
            path += std::string(150, 'd') + "\\";
            folders.emplace_back(path.begin(), path.end());
            CreateDirectoryW(folders.back().c_str(), nullptr);
        }
        path += std::string(length - path.size() - 4, 'n') + ".lnk";
    }
    std::wstring wide() const { return std::wstring(path.begin(), path.end()); }
    ~DeepPath() {
        DeleteFileW(wide().c_str());
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
            RemoveDirectoryW(folder->c_str());
    }
};

}  // namespace

TEST(ShellLink, WritesALinkThatLoadsBackAndRefusesOverlongPaths) {
    ShellFolders shell;
    std::string path = shell.dir / "Player.lnk";
    ASSERT_TRUE(createShellLink(path.c_str(), "A player", "C:\\Apps\\melko.exe"));
    std::string target, description;
    ASSERT_TRUE(readLink(path, target, description));
    EXPECT_EQ("C:\\Apps\\melko.exe", target);
    EXPECT_EQ("A player", description);

    // 1023 units with the terminator still fit; 1024 do not and are not cut.
    DeepPath fits(shell.dir.path(), 1022);
    EXPECT_TRUE(createShellLink(fits.path.c_str(), "A player", "C:\\Apps\\melko.exe"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(fits.wide().c_str()));
    DeepPath tooLong(shell.dir.path(), 1023);
    EXPECT_FALSE(createShellLink(tooLong.path.c_str(), "A player", "C:\\Apps\\melko.exe"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(tooLong.wide().c_str()));
}

TEST(Shortcuts, BothAreCreatedAndRecorded) {
    ShellFolders shell;
    ASSERT_TRUE(scratchDesktop(shell));
    createShortcuts(shell, true, true);
    expectPlayerLink(shell, shell.quickLaunch + LinkName);
    expectPlayerLink(shell, shell.desktop + LinkName);
    EXPECT_EQ(shell.quickLaunch + LinkName, recorded("QuickLaunch"));
    EXPECT_EQ(shell.desktop + LinkName, recorded("Desktop"));
}

TEST(Shortcuts, ShortcutAtAnOldRecordedPathIsDeleted) {
    ShellFolders shell;
    ASSERT_TRUE(scratchDesktop(shell));
    // The desktop lay elsewhere at the last run; Quick Launch did not move,
    // but its record is spelt in other case.
    std::string old = shell.dir / "Old Desktop.lnk";
    ASSERT_TRUE(writeFile(old, "link"));
    regSetString(HKEY_CURRENT_USER, Records, "Desktop", old.c_str());
    std::string sameQuickLaunch = shell.quickLaunch + "LORIMUND'S KARAOKE PLAYER.LNK";
    regSetString(HKEY_CURRENT_USER, Records, "QuickLaunch", sameQuickLaunch.c_str());

    createShortcuts(shell, true, true);
    EXPECT_FALSE(pathExists(old));
    EXPECT_EQ(shell.desktop + LinkName, recorded("Desktop"));
    expectPlayerLink(shell, shell.quickLaunch + LinkName);
    EXPECT_EQ(shell.quickLaunch + LinkName, recorded("QuickLaunch"));
}

TEST(Shortcuts, NoFlagsTouchNothing) {
    ShellFolders shell;
    createShortcuts(shell, false, false);
    EXPECT_FALSE(pathExists(shell.quickLaunch + LinkName));
    EXPECT_FALSE(pathExists(shell.desktop + LinkName));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, Records));

    std::string old = shell.dir / "Old.lnk";
    ASSERT_TRUE(writeFile(old, "link"));
    regSetString(HKEY_CURRENT_USER, Records, "Desktop", old.c_str());
    createShortcuts(shell, false, false);
    EXPECT_TRUE(pathExists(old));
    EXPECT_EQ(old, recorded("Desktop"));
}

TEST(Shortcuts, QuickLaunchNeedsAPlainExistingFolder) {
    ShellFolders shell;
    ASSERT_TRUE(scratchDesktop(shell));
    ASSERT_TRUE(makeFolderReadOnly(shell.quickLaunch));
    createShortcuts(shell, true, true);
    EXPECT_FALSE(pathExists(shell.quickLaunch + LinkName));
    EXPECT_EQ("-", recorded("QuickLaunch"));
    expectPlayerLink(shell, shell.desktop + LinkName);

    shell.setQuickLaunch(shell.dir / "Missing");
    createShortcuts(shell, true, false);
    EXPECT_EQ("-", recorded("QuickLaunch"));
}
