#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "shell/FileTypes.h"

namespace {

std::string withoutMid(const char* list) {
    KString edited(list);
    removeMidEntry(edited);
    return edited.chars();
}

std::string iniFrom(const char* icon) {
    KString path("unchanged");
    return winampIniFromIcon(KString(icon), path) ? path.chars() : "-";
}

const char* const Misc = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Backup\\Misc";

// A Winamp whose icon names the program in a scratch folder.
struct Winamp {
    RegistrySandbox sandbox;
    TempFolder dir;
    std::string ini = dir / "winamp.ini";

    Winamp() {
        regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "",
                     (" " + dir.path() + "winamp.exe,1 ").c_str());
    }
    void list(const std::string& extensions) {
        writeFile(ini, "[Winamp]\r\noutname=out_wave.dll\r\nextlist=" + extensions + "\r\n");
    }
    std::string list() const {
        char buffer[8192];
        GetPrivateProfileStringA("Winamp", "extlist", "", buffer, sizeof buffer, ini.c_str());
        return buffer;
    }
    bool studio() const { return regValueExists(HKEY_CURRENT_USER, Misc, "Studio"); }
};

}  // namespace

TEST(WinampExtList, OnlyTheEntryMidGoes) {
    EXPECT_EQ(":mp3:wav", withoutMid("mid:mp3:wav"));
    EXPECT_EQ("mp3:wav", withoutMid("mp3:MID:wav"));
    EXPECT_EQ("mp3", withoutMid("mp3:Mid"));
    EXPECT_EQ("", withoutMid("mid"));
    EXPECT_EQ("midi:mp3", withoutMid("midi:mid:mp3"));
    EXPECT_EQ("mp3:midi", withoutMid("mp3:midi:mid"));
    EXPECT_EQ(":mp3:mid", withoutMid("mid:mp3:mid"));  // the first one only
    for (const char* same : {"mp3:wav", "midi:mp3", "mp3:midi", "mid2:kar", "amid:mp3", ""}) {
        KString list(same);
        EXPECT_FALSE(removeMidEntry(list)) << same;
        EXPECT_STREQ(same, list.chars());
    }
}

TEST(WinampExtList, IniPathFromIcon) {
    EXPECT_EQ("D:\\Apps\\Winamp\\winamp.ini", iniFrom("D:\\Apps\\Winamp\\winamp.exe,1"));
    EXPECT_EQ("C:\\W\\winamp.ini", iniFrom(" \tC:\\W\\winamp.exe,0\r\n"));
    EXPECT_EQ("C:\\winamp.ini", iniFrom("C:\\winamp.exe,1"));
    EXPECT_EQ("-", iniFrom("winamp.exe,1"));
    EXPECT_EQ("-", iniFrom("\\winamp.exe,1"));
    EXPECT_EQ("-", iniFrom("C\\winamp.exe,1"));
    EXPECT_EQ("-", iniFrom(""));
}

TEST(WinampExtList, MidIsRemovedAndRecorded) {
    Winamp winamp;
    winamp.list("mid:mp3:wav");
    removeMidFromWinamp();
    EXPECT_EQ(":mp3:wav", winamp.list());
    DWORD studio = 0;
    EXPECT_TRUE(regGetDword(HKEY_CURRENT_USER, Misc, "Studio", studio));
    EXPECT_EQ(1u, studio);

    Winamp other;
    other.list("mp3:MID:wav");
    removeMidFromWinamp();
    EXPECT_EQ("mp3:wav", other.list());
}

TEST(WinampExtList, ListsWithoutTheEntryMidStayUntouched) {
    for (const char* extensions : {"mp3:wav", "midi:mp3", "mp3:midi"}) {
        Winamp winamp;
        winamp.list(extensions);
        std::string before, after;
        readFile(winamp.ini, before);
        removeMidFromWinamp();
        readFile(winamp.ini, after);
        EXPECT_EQ(before, after) << extensions;
        EXPECT_FALSE(winamp.studio()) << extensions;
    }
}

TEST(WinampExtList, LongListsAreWrittenBackWhole) {
    // 1023 characters fill the first read exactly; 3000 need several.
    for (size_t length : {1023u, 3000u}) {
        Winamp winamp;
        std::string kept = "mp3";
        while (kept.size() < length - 4)
            kept += ":xm";
        kept.resize(length - 4);
        winamp.list(kept + ":mid");
        removeMidFromWinamp();
        EXPECT_EQ(kept, winamp.list()) << length;
        EXPECT_TRUE(winamp.studio());
    }
}

TEST(WinampExtList, NothingWithoutIniOrWithoutTheMidFlag) {
    Winamp winamp;
    winamp.list("mid:mp3");
    InstallOptions options;
    options.folder = "C:\\Apps\\Karaoke";
    options.associateMid = false;
    Installer(options, nullptr, nullptr).registerFileTypes();
    EXPECT_EQ("mid:mp3", winamp.list());
    EXPECT_FALSE(winamp.studio());

    for (const char* icon : {"winamp.exe,1", "C\\winamp.exe,1"}) {
        regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "", icon);
        removeMidFromWinamp();
    }
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon");
    removeMidFromWinamp();
    EXPECT_EQ("mid:mp3", winamp.list());
    EXPECT_FALSE(winamp.studio());
}

TEST(WinampExtList, FailedWriteIsNotRecorded) {
    Winamp winamp;
    winamp.list("mid:mp3");
    // Readers may share the file; the writer may not.
    HANDLE hold = CreateFileA(winamp.ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hold);
    removeMidFromWinamp();
    CloseHandle(hold);
    EXPECT_EQ("mid:mp3", winamp.list());
    EXPECT_FALSE(winamp.studio());
}
