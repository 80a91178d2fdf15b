#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "migrate/SamplePlaylist.h"
#include "shell/FileTypes.h"
#include "shell/RecordRules.h"
#include "uninstall/RemovalRules.h"
#include "uninstall/UninstallRun.h"

namespace {

const RecordState Missing = RecordState::Missing, Sound = RecordState::Sound,
                  Damaged = RecordState::Damaged;
const RecordAction GiveBack = RecordAction::GiveBack, Forget = RecordAction::Forget,
                   Keep = RecordAction::Keep;

DwordRecord flag(RecordState state, DWORD value = 0) {
    DwordRecord record;
    record.state = state;
    record.value = value;
    return record;
}

StringRecord text(RecordState state, const char* value = "") {
    StringRecord record;
    record.state = state;
    record.value = value;
    return record;
}

}  // namespace

TEST(RecordRules, OnlyFullPathsOfTheInstallersKindOfFile) {
    const std::string longName(260, 'n');
    const struct {
        std::string path;
        bool shortcut, plugin;
    } cases[] = {
        {"C:\\Users\\Ann\\Desktop\\Lorimund's Karaoke Player.lnk", true, false},
        {"\\\\server\\share\\Desktop\\PLAYER.LNK", true, false},
        {"C:\\Netscape\\Program\\Plugins\\NPMELKO.DLL", false, true},
        {"C:\\Windows\\System32\\kernel32.dll", false, false},
        {"C:\\Plugins\\mynpmelko.dll", false, false},
        {"C:\\Users\\Ann\\Desktop\\..\\Documents\\x.lnk", false, false},
        {"C:\\Plugins\\.\\npmelko.dll", false, false},
        {"C:\\Plugins\\\\npmelko.dll", false, false},
        {"C:\\Windows/System32/npmelko.dll", false, false},
        {"C:\\Documents\\letter.doc:npmelko.dll", false, false},
        {"C:\\Desktop\\*.lnk", false, false},
        {"\\\\?\\C:\\Desktop\\x.lnk", false, false},
        {"\\\\.\\C:\\Plugins\\npmelko.dll", false, false},
        {"Desktop\\x.lnk", false, false},
        {"C:npmelko.dll", false, false},
        {"C:\\Desktop\\x\n.lnk", false, false},
        {"C:\\" + longName + ".lnk", false, false},
    };
    for (const auto& c : cases) {
        KString path(c.path.c_str());
        EXPECT_EQ(c.shortcut, isShortcutRecordPath(path)) << c.path;
        EXPECT_EQ(c.plugin, isPluginRecordPath(path)) << c.path;
    }
}

TEST(RemovalRules, ProgramFolderOnlyFromAnUninstallCommandTheInstallerWrites) {
    const char* const cases[][2] = {
        {"C:\\Program Files\\Lorimund's Karaoke Player\\remove.exe",
         "C:\\Program Files\\Lorimund's Karaoke Player\\"},
        {" D:\\Karaoke\\REMOVE.EXE \r\n", "D:\\Karaoke\\"},
        {"C:\\remove.exe", "C:\\"},
        {"\"C:\\Karaoke\\remove.exe\"", nullptr},
        {"C:\\Karaoke\\remove.exe /S", nullptr},
        {"C:\\Karaoke\\myremove.exe", nullptr},
        {"C:\\Karaoke\\..\\Windows\\remove.exe", nullptr},
        {"\\\\server\\share\\remove.exe", nullptr},
        {"C:\\Kara*\\remove.exe", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        KString folder("unchanged");
        EXPECT_EQ(c[1] != nullptr, programFolderFromUninstallString(KString(c[0]), folder)) << c[0];
        EXPECT_STREQ(c[1] ? c[1] : "unchanged", folder.chars()) << c[0];
    }
}

TEST(RemovalRules, RecordJudgements) {
    const struct {
        DwordRecord registered, existed;
        StringRecord old;
        bool players;
        RecordAction action;
    } fileTypes[] = {
        {flag(Sound, 1), flag(Sound, 1), text(Sound, "midfile"), true, GiveBack},
        {flag(Sound, 1), flag(Missing), text(Missing), true, GiveBack},
        {flag(Sound, 1), flag(Sound, 1), text(Sound, "midfile"), false, Forget},
        {flag(Sound, 0), flag(Missing), text(Missing), true, Forget},
        {flag(Damaged), flag(Sound, 1), text(Sound, "midfile"), true, Keep},
        {flag(Sound, 7), flag(Sound, 1), text(Sound, "midfile"), true, Keep},
        {flag(Sound, 1), flag(Damaged), text(Sound, "midfile"), true, Keep},
        {flag(Sound, 1), flag(Sound, 1), text(Damaged), true, Keep},
        {flag(Sound, 0), flag(Missing), text(Damaged), false, Keep},
    };
    for (const auto& c : fileTypes)
        EXPECT_EQ(c.action, judgeFileTypeRecord(c.registered, c.existed, c.old, c.players))
            << &c - fileTypes;

    const char* const plugin = "C:\\Netscape\\Program\\Plugins\\npmelko.dll";
    const struct {
        const char* name;
        StringRecord path;
        RecordAction action;
    } plugins[] = {
        {"Netscape 3", text(Sound, plugin), GiveBack},
        {"Internet Explorer", text(Sound, plugin), GiveBack},
        {"Netscape 3", text(Sound, "C:\\Windows\\System32\\kernel32.dll"), Keep},
        {"Netscape 5", text(Sound, plugin), Keep},
        {"netscape 3", text(Sound, plugin), Keep},
        {"Netscape 3", text(Damaged), Keep},
    };
    for (const auto& c : plugins)
        EXPECT_EQ(c.action, judgePluginRecord(KString(c.name), c.path)) << c.name;
}

// The uninstaller recognises exactly what the installer writes.
TEST(RemovalRules, SamplePlaylistsAreKnownByNameAndBytes) {
    const struct {
        const char* name;
        bool sample;
    } names[] = {{"Sample Playlist.kpl", true},      {"Sample Playlist 2.kpl", true},
                 {"Sample Playlist 998.kpl", true},  {"Sample Playlist 999.kpl", false},
                 {"Sample Playlist 1.kpl", false},   {"Sample Playlist 02.kpl", false},
                 {"Sample Playlist .kpl", false},    {"Sample Playlist 2a.kpl", false},
                 {"sample playlist.kpl", false},     {"Sample Playlist 2.kpl.bak", false},
                 {"My Sample Playlist.kpl", false},  {"Sample Playlist2.kpl", false}};
    for (const auto& c : names)
        EXPECT_EQ(c.sample, isSamplePlaylistName(KString(c.name))) << c.name;

    RegistrySandbox sandbox;
    TempFolder dir;
    const KString folder(dir.path().c_str());
    for (const char* name : {"Sample Playlist.kpl", "Sample Playlist 2.kpl"}) {
        ASSERT_TRUE(writeSamplePlaylist(folder));
        std::string written;
        ASSERT_TRUE(readFile(dir / name, written));
        EXPECT_EQ(written, samplePlaylistBytes(folder, KString(name)).chars()) << name;
    }
    EXPECT_NE(samplePlaylistBytes(folder, KString("Sample Playlist.kpl")),
              samplePlaylistBytes(KString("D:\\Other\\"), KString("Sample Playlist.kpl")));
}

// Giving "mid" back undoes what the install took, wherever the list allows.
TEST(RemovalRules, WinampListGetsMidBack) {
    const char* const cases[][2] = {
        {":mp3:wav", "mid:mp3:wav"}, {"mp3:wav", "mp3:wav:mid"}, {"", "mid"},
        {"mp3:", "mp3:mid"},         {"midi:mp3", "midi:mp3:mid"},
        {"mp3:MID", nullptr},        {"mid", nullptr},           {"kar:mid:wav", nullptr},
    };
    for (const auto& c : cases) {
        KString list(c[0]);
        EXPECT_EQ(c[1] != nullptr, addMidEntry(list)) << c[0];
        EXPECT_STREQ(c[1] ? c[1] : c[0], list.chars());
    }
    for (const char* original : {"mid:mp3:wav", "mid", "MID:kar"}) {
        KString list(original);
        ASSERT_TRUE(removeMidEntry(list));
        ASSERT_TRUE(addMidEntry(list));
        EXPECT_EQ(0, list.compareNoCase(original)) << original;
    }
}

TEST(UninstallRun, OnlyTheSilentSwitchIsUnderstood) {
    const struct {
        const char* arguments;
        bool understood, silent;
        const char* bad;
    } cases[] = {
        {"", true, false, ""},           {nullptr, true, false, ""},
        {"/S", true, true, ""},          {" -s ", true, true, ""},
        {"/S /S", true, true, ""},       {"/SILENT", false, false, "/SILENT"},
        {"/S /X", false, true, "/X"},    {"\"C:\\Program Files\" /S", false, true, "\"C:\\Program Files\""},
        {"/D=C:\\x", false, false, "/D=C:\\x"},
    };
    for (const auto& c : cases) {
        bool silent = !c.silent;
        KString bad("stale");
        EXPECT_EQ(c.understood, parseUninstallArguments(c.arguments, silent, bad))
            << (c.arguments ? c.arguments : "(null)");
        EXPECT_EQ(c.silent, silent);
        EXPECT_STREQ(c.bad, bad.chars());
    }
}
