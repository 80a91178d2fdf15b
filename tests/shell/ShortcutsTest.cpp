#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <set>
#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "app/Probes.h"
#include "shell/ShellLink.h"

namespace {

const char* const Records = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Backup\\Shortcuts";
const std::string Player = "Lorimund's Karaoke Player";

// The shell keeps the desktop path of a process's first lookup, so every
// test of one process shares this desktop, emptied for each.
const std::string& processDesktop() {
    static TempFolder home;
    static const std::string desktop = home / "Desktop\\";
    return desktop;
}

// A sandboxed registry whose desktop, Programs and Quick Launch folders lie in
// a scratch folder; set up before the shell's first lookup.
struct ShellFolders {
    RegistrySandbox sandbox;
    TempFolder dir;
    std::string desktop = processDesktop(), programs = dir / "Programs\\",
                quickLaunch = dir / "Quick Launch\\", program = dir / "Player\\";

    ShellFolders() {
        removeTree(desktop);
        for (const std::string* folder : {&desktop, &programs, &quickLaunch, &program})
            CreateDirectoryA(folder->c_str(), nullptr);
        setFolder("Desktop", desktop);
        setFolder("Programs", programs);
        setFolder("Quick Launch", quickLaunch);
    }
    // Names a folder in the registry, without its trailing backslash.
    void setFolder(const char* name, std::string folder) {
        if (folder.back() == '\\')
            folder.pop_back();
        const std::string key = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") +
                                (*name == 'Q' ? "GrpConv\\MapGroups"
                                              : "Explorer\\User Shell Folders");
        regSetString(HKEY_CURRENT_USER, key.c_str(), name, folder.c_str());
    }
    void createShortcuts(bool quick, bool onDesktop) const {
        InstallOptions options;
        options.folder = program.c_str();
        options.quickLaunchShortcut = quick;
        options.desktopShortcut = onDesktop;
        Installer(options, nullptr, nullptr).createShortcuts();
    }
    std::string playerLink() const { return program + "melko.exe|" + Player; }
};

// Loads a shortcut through the shell link object: "target|description".
std::string link(const std::string& path) {
    CoInitialize(nullptr);
    std::string result = "-";
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    std::wstring wide(path.begin(), path.end());
    char target[MAX_PATH] = {}, description[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetDescription(description, MAX_PATH)))
        result = std::string(target) + "|" + description;
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return result;
}

// A test writes real shortcuts only where it set the desktop to be.
bool scratchDesktop(const ShellFolders& shell) {
    KString found;
    return getDesktopFolder(found) && shell.desktop == found.chars();
}

std::string recorded(const char* name) {
    std::string value = "-";
    regGetString(HKEY_CURRENT_USER, Records, name, value);
    return value;
}

// Wine derives a folder's read-only attribute from the host's permission
// bits: takes the write bits away on the host side.
bool makeFolderReadOnly(const std::string& folder) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(folder.begin(), folder.end());
    char* unixPath = toUnix ? toUnix(wide.c_str()) : nullptr;
    if (!unixPath)
        return false;
    std::string command = std::string("chmod 555 \"") + unixPath + "\"";
    HeapFree(GetProcessHeap(), 0, unixPath);
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessA("Z:\\bin\\chmod", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a host program does not wait for it: watch the result.
    for (int tries = 0; tries < 200; ++tries, Sleep(50)) {
        DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return true;
    }
    return false;
}

}  // namespace

TEST(Shortcuts, NoFlagsTouchNothingThenBothAreMadeAndTheOldOneGoes) {
    ShellFolders shell;
    ASSERT_TRUE(scratchDesktop(shell));
    const std::string linkName = Player + ".lnk";
    shell.createShortcuts(false, false);
    EXPECT_FALSE(pathExists(shell.quickLaunch + linkName) || pathExists(shell.desktop + linkName));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, Records));

    // The desktop lay elsewhere at the last run; Quick Launch did not move,
    // but its record is spelt in other case.
    std::string old = shell.dir / "Old Desktop.lnk";
    ASSERT_TRUE(writeFile(old, "link"));
    regSetString(HKEY_CURRENT_USER, Records, "Desktop", old.c_str());
    regSetString(HKEY_CURRENT_USER, Records, "QuickLaunch",
                 (shell.quickLaunch + "LORIMUND'S KARAOKE PLAYER.LNK").c_str());
    shell.createShortcuts(false, false);
    EXPECT_TRUE(pathExists(old));
    EXPECT_EQ(old, recorded("Desktop"));

    shell.createShortcuts(true, true);
    EXPECT_FALSE(pathExists(old));

    // Anyone can write the record: a file that is no shortcut survives it.
    const std::string letter = shell.dir / "letter.doc";
    ASSERT_TRUE(writeFile(letter, "mine"));
    regSetString(HKEY_CURRENT_USER, Records, "Desktop", letter.c_str());
    shell.createShortcuts(false, true);
    EXPECT_TRUE(pathExists(letter));
    EXPECT_EQ(shell.playerLink(), link(shell.quickLaunch + linkName));
    EXPECT_EQ(shell.playerLink(), link(shell.desktop + linkName));
    EXPECT_EQ(shell.quickLaunch + linkName, recorded("QuickLaunch"));
    EXPECT_EQ(shell.desktop + linkName, recorded("Desktop"));
}

TEST(Shortcuts, QuickLaunchNeedsAPlainExistingFolder) {
    ShellFolders shell;
    ASSERT_TRUE(scratchDesktop(shell));
    ASSERT_TRUE(makeFolderReadOnly(shell.quickLaunch));
    shell.createShortcuts(true, true);
    EXPECT_FALSE(pathExists(shell.quickLaunch + Player + ".lnk"));
    EXPECT_EQ("-", recorded("QuickLaunch"));
    EXPECT_EQ(shell.playerLink(), link(shell.desktop + Player + ".lnk"));

    shell.setFolder("Quick Launch", shell.dir / "Missing");
    shell.createShortcuts(true, false);
    EXPECT_EQ("-", recorded("QuickLaunch"));
}

TEST(ShellLink, PathsOf1024UnitsAreRefusedNotCut) {
    TempFolder dir;
    // "\\?\" paths of 1022 and 1023 characters, in folders made for them:
    // with the terminator the first still fits.
    for (size_t length : {1022u, 1023u}) {
        std::wstring path = L"\\\\?\\" + std::wstring(dir.path().begin(), dir.path().end());
        while (length - path.size() > 200) {
            path += std::wstring(150, L'd') + L"\\";
            CreateDirectoryW(path.c_str(), nullptr);
        }
        path += std::wstring(length - path.size() - 4, L'n') + L".lnk";
        EXPECT_EQ(length == 1022, createShellLink(std::string(path.begin(), path.end()).c_str(),
                                                  "A player", "C:\\Apps\\melko.exe"));
        EXPECT_EQ(length == 1022, GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES);
        DeleteFileW(path.c_str());
        for (size_t cut; (cut = path.rfind(L'\\')) > dir.path().size() + 4;)
            RemoveDirectoryW(path.erase(cut).c_str());
    }
}

TEST(ProgramGroup, IsRebuiltWithItsThreeLinksAndTheEarlierOneGoes) {
    ShellFolders shell;
    const std::string earlier = shell.programs + "Lorimund's MIDI Player";
    const std::string group = shell.programs + Player + "\\";
    CreateDirectoryA(earlier.c_str(), nullptr);
    ASSERT_TRUE(writeFile(earlier + "\\Lorimund's MIDI Player.lnk", "old"));
    CreateDirectoryA(group.c_str(), nullptr);
    ASSERT_TRUE(writeFile(group + "Added by the user.lnk", "user"));
    SetFileAttributesA((group + "Added by the user.lnk").c_str(), FILE_ATTRIBUTE_READONLY);

    InstallOptions options;
    options.folder = shell.program.c_str();
    Installer(options, nullptr, nullptr).createProgramGroups();

    EXPECT_FALSE(pathExists(earlier));
    const std::string links[][2] = {{Player, "melko.exe"},
                                    {"Uninstall " + Player, "remove.exe"},
                                    {Player + " Help", "melko.hlp"}};
    std::set<std::string> expected, found;
    for (const auto& entry : links) {
        expected.insert(entry[0] + ".lnk");
        EXPECT_EQ(shell.program + entry[1] + "|" + entry[0], link(group + entry[0] + ".lnk"));
    }
    WIN32_FIND_DATAA file;
    HANDLE search = FindFirstFileA((group + "*.*").c_str(), &file);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &file))
        if (!(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found.insert(file.cFileName);
    FindClose(search);
    EXPECT_EQ(expected, found);
}
