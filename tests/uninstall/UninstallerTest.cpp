// The uninstaller's removal run in this process, on a sandboxed registry and
// shell folders in a scratch folder, after the installer's own steps.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "MachineState.h"
#include "PreparedMachine.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "app/MessageBoxes.h"
#include "app/Probes.h"
#include "shell/KProgramGroup.h"
#include "uninstall/Uninstaller.h"

namespace {

const std::string ProgramKey = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player";
const std::string Plugins = ProgramKey + "\\Backup\\Plugin";
const char* const Uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko";

// The profile file of the earlier product lies in the one Windows folder,
// which other test programs use: this installation leaves it alone.
class LocalInstaller : public Installer {
public:
    using Installer::Installer;
    void importOldIniFile() override {}
};

class Uninstalling : public ::testing::Test {
protected:
    Uninstalling() {
        setUnattended(true);
        const std::string shellFolders =
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
        for (const char* name : {"Desktop", "Programs", "Quick Launch"}) {
            CreateDirectoryA((root / name).c_str(), nullptr);
            regSetString(HKEY_CURRENT_USER,
                         *name == 'Q' ? "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups"
                                      : shellFolders.c_str(),
                         name, (root / name).c_str());
        }
        // The shell notes where the folders are at its first look: before
        // the machine's picture is taken. Program Files is there, as always.
        KString folder;
        getDesktopFolder(folder);
        getProgramsFolder(folder);
        CreateDirectoryA((root / "Program Files").c_str(), nullptr);
        prepareMachine(root.path());
        options.folder = program.c_str();
    }

    void install() {
        ASSERT_TRUE(LocalInstaller(options, GetModuleHandleA(nullptr), nullptr).install());
    }
    ExitCode uninstall() {
        Uninstaller uninstaller;
        ExitCode code = uninstaller.run();
        left.clear();
        for (const KString& file : uninstaller.leftFiles())
            left.push_back(file.chars());
        return code;
    }
    std::string picture() const {
        return registryPicture(HKEY_CURRENT_USER, "HKCU") +
               registryPicture(HKEY_LOCAL_MACHINE, "HKLM") +
               registryPicture(HKEY_CLASSES_ROOT, "HKCR") + folderPicture(root.path());
    }
    std::string changedSince(const std::string& before) const {
        return pictureDifference(before, picture(), leftByDesign("HKCR", "HKCU\\SOFTWARE"));
    }

    RegistrySandbox sandbox;
    TempFolder root;
    const std::string program = root / "Program Files\\Lorimund's Karaoke Player";
    InstallOptions options;
    std::vector<std::string> left;
};

}  // namespace

// A file in use keeps its record, and the uninstaller and its entry stay, so
// that removing can be started again once the file is free.
TEST_F(Uninstalling, WhatCannotBeRemovedStaysWithItsRecordUntilTheNextRun) {
    const std::string before = picture();
    install();
    for (const std::string& copy : preparedPluginPaths(root.path()))
        ASSERT_TRUE(pathExists(copy)) << copy;
    const std::string plugin = preparedPluginPaths(root.path())[1];
    HANDLE held = CreateFileA(plugin.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(ExitFileNotWritten, uninstall());
    CloseHandle(held);

    EXPECT_EQ(std::vector<std::string>{plugin}, left);
    std::string recorded;
    EXPECT_TRUE(regGetString(HKEY_CURRENT_USER, Plugins.c_str(), "Netscape 4.5", recorded));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, Plugins.c_str(), "Netscape 4.7"));
    EXPECT_TRUE(pathExists(program + "\\remove.exe"));
    EXPECT_FALSE(pathExists(program + "\\melko.exe"));
    EXPECT_TRUE(regValueExists(HKEY_LOCAL_MACHINE, Uninstall, "UninstallString"));

    // Then everything goes, records included, and a third run finds nothing.
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(ExitSuccess, uninstall());
        EXPECT_EQ("", changedSince(before));
    }
}

// Whatever was not written by the installer, or was changed since, stays.
TEST_F(Uninstalling, LeavesWhatOthersChangedOrAddedSince) {
    install();
    install();  // a second sample playlist
    const std::string song = program + "\\My Song.kar", edited = program + "\\Sample Playlist 2.kpl";
    ASSERT_TRUE(writeFile(song, "song"));
    std::string playlist;
    ASSERT_TRUE(readFile(edited, playlist));
    ASSERT_TRUE(writeFile(edited, playlist + "\"Mine\";\"" + song + "\";8\r\n"));
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "OtherPlayer.Song");
    regSetString(HKEY_CLASSES_ROOT, ".midi\\OpenWithProgids", "OtherPlayer.Song", "");
    regSetString(HKEY_CLASSES_ROOT, "MIME\\Database\\Content Type\\audio/x-kar", "CLSID", "{other}");
    regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "", "C:\\Nowhere\\winamp.exe,1");

    EXPECT_EQ(ExitSuccess, uninstall());
    EXPECT_EQ("song|playlist|-", std::string(pathExists(song) ? "song" : "-") + "|" +
                                     (pathExists(edited) ? "playlist" : "-") + "|" +
                                     (pathExists(program + "\\Sample Playlist.kpl") ? "sample" : "-"));
    std::string value;
    EXPECT_TRUE(regGetString(HKEY_CLASSES_ROOT, ".mid", "", value) && value == "OtherPlayer.Song");
    // The key that the installer made stays for the other program's subkey,
    // without the player's class.
    EXPECT_TRUE(regKeyExists(HKEY_CLASSES_ROOT, ".midi\\OpenWithProgids"));
    EXPECT_FALSE(regValueExists(HKEY_CLASSES_ROOT, ".midi", ""));
    EXPECT_TRUE(regGetString(HKEY_CLASSES_ROOT, "MIME\\Database\\Content Type\\audio/x-kar", "CLSID",
                             value) &&
                value == "{other}");
    EXPECT_FALSE(regKeyExists(HKEY_CLASSES_ROOT, "Lorimund.MIDI"));
    // No Winamp any more: nothing to give back, and no file made for it.
    EXPECT_FALSE(pathExists("C:\\Nowhere"));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (ProgramKey + "\\Backup").c_str()));
}

namespace {

// Damaged and hostile records, drawn from a seeded generator so that a
// failing case can be run again.
struct RecordFuzzer {
    std::mt19937 random;
    std::vector<std::string> targets;  // what records may name and must survive

    explicit RecordFuzzer(unsigned seed) : random(seed) {}

    static std::string fileName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
    static bool ofInstallersKind(const std::string& path) {
        return path.size() > 4 && (path.substr(path.size() - 4) == ".lnk" ||
                                   fileName(path) == "npmelko.dll" || fileName(path) == "remove.exe");
    }
    int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
    const std::string& anyTarget() { return targets[below(static_cast<int>(targets.size()))]; }

    // A value that must not lead to a deletion: of another type, too long,
    // or naming a target in a form or of a kind outside the rules.
    void write(HKEY root, const std::string& key, const std::string& name) {
        HKEY k;
        if (RegCreateKeyA(root, key.c_str(), &k) != ERROR_SUCCESS)
            return;
        const DWORD types[] = {REG_SZ, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY, REG_DWORD};
        DWORD type = types[below(6)];
        std::string text = anyTarget();
        // Named as it is, a target of the installer's kind would be fair game.
        bool plainIsSafe = type != REG_SZ || !(ofInstallersKind(text) || name == "UninstallString");
        switch (below(plainIsSafe ? 6 : 4)) {
        case 0: text = std::string(3000, 'x') + "\\npmelko.dll"; break;
        case 1: text = text.substr(0, text.rfind('\\')) + "\\sub\\..\\" + fileName(text); break;
        case 2: text = text + ":x.lnk"; break;
        case 3: text = fileName(text); break;
        default: break;
        }
        if (type == REG_DWORD) {
            DWORD number = static_cast<DWORD>(below(3));
            RegSetValueExA(k, name.c_str(), 0, type, reinterpret_cast<BYTE*>(&number), 4);
        } else {
            RegSetValueExA(k, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + (below(4) ? 1 : 0)));
        }
        RegCloseKey(k);
    }
};

}  // namespace

TEST_F(Uninstalling, DamagedRecordsDeleteNothingOutsideTheRules) {
    const std::string documents = root / "Documents\\", system = root / "System32\\",
                      decoyFolder = root / "Decoy Folder\\";
    for (const std::string& folder : {documents, system, decoyFolder})
        CreateDirectoryA(folder.c_str(), nullptr);
    RecordFuzzer fuzzer(0);
    fuzzer.targets = {documents + "letter.doc",     system + "kernel32.dll",
                      decoyFolder + "melko.exe",     decoyFolder + "remove.exe",
                      root / "Desktop\\Notes.txt",  root / "Desktop\\Other.lnk",
                      documents + "npmelko.dll"};
    const std::string shortcut = root / "Desktop\\Lorimund's Karaoke Player.lnk";

    for (unsigned seed = 1; seed <= 40; ++seed) {
        fuzzer.random.seed(seed);
        for (const std::string& target : fuzzer.targets)
            ASSERT_TRUE(writeFile(target, "keep"));
        // One sound record among the damaged ones: it is still acted on.
        ASSERT_TRUE(writeFile(shortcut, "link"));
        regSetString(HKEY_CURRENT_USER, (ProgramKey + "\\Backup\\Shortcuts").c_str(), "Desktop",
                     shortcut.c_str());

        fuzzer.write(HKEY_CURRENT_USER, ProgramKey + "\\Backup\\Shortcuts", "QuickLaunch");
        for (const char* name : {"Netscape 3", "Netscape 4.5", "Internet Explorer", "Netscape 4"})
            fuzzer.write(HKEY_CURRENT_USER, Plugins, name);
        for (const char* name : {"audio/mid", "midi/kar"})
            fuzzer.write(HKEY_CURRENT_USER, Plugins + "\\CLSID", name);
        fuzzer.write(HKEY_CURRENT_USER, Plugins + "\\Embed", ".mid");
        for (const char* name : {"Register", "ExistedBefore", "DefaultValue"})
            fuzzer.write(HKEY_CURRENT_USER, ProgramKey + "\\Filetype.mid", name);
        fuzzer.write(HKEY_CURRENT_USER, ProgramKey + "\\Backup\\Misc", "Studio");
        fuzzer.write(HKEY_LOCAL_MACHINE, Uninstall, "UninstallString");

        ExitCode code = uninstall();
        EXPECT_TRUE(code == ExitSuccess || code == ExitFileNotWritten) << "seed " << seed;
        for (const std::string& target : fuzzer.targets)
            EXPECT_TRUE(pathExists(target)) << target << ", seed " << seed;
        EXPECT_FALSE(pathExists(shortcut)) << "seed " << seed;
    }
}
