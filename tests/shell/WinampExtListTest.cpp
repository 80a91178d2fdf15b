#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "shell/FileTypes.h"

namespace {

const char* const Misc = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Backup\\Misc";

// A Winamp whose icon names the program in a scratch folder.
struct Winamp {
    RegistrySandbox sandbox;
    TempFolder dir;
    std::string ini = dir / "winamp.ini";

    explicit Winamp(const std::string& extensions) {
        regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "",
                     (" " + dir.path() + "winamp.exe,1 ").c_str());
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
    const char* const cases[][2] = {
        {"mp3:Mid", "mp3"},           {"mid", ""},
        {"midi:mid:mp3", "midi:mp3"}, {"mp3:midi:mid", "mp3:midi"},
        {"mid:mp3:mid", ":mp3:mid"},  // the first entry only
    };
    for (const auto& c : cases) {
        KString list(c[0]);
        EXPECT_TRUE(removeMidEntry(list)) << c[0];
        EXPECT_STREQ(c[1], list.chars());
    }
    for (const char* same : {"mid2:kar", "amid:mp3", ""}) {
        KString list(same);
        EXPECT_FALSE(removeMidEntry(list)) << same;
    }
}

TEST(WinampExtList, IniPathFromIcon) {
    const char* const cases[][2] = {
        {"D:\\Apps\\Winamp\\winamp.exe,1", "D:\\Apps\\Winamp\\winamp.ini"},
        {" \tC:\\winamp.exe,0\r\n", "C:\\winamp.ini"},
        {"winamp.exe,1", "-"}, {"\\winamp.exe,1", "-"}, {"C\\winamp.exe,1", "-"}, {"", "-"},
    };
    for (const auto& c : cases) {
        KString path;
        EXPECT_STREQ(c[1], winampIniFromIcon(KString(c[0]), path) ? path.chars() : "-") << c[0];
    }
}

TEST(WinampExtList, EditOfTheFileAndItsRecord) {
    const char* const cases[][2] = {
        {"mid:mp3:wav", ":mp3:wav"}, {"mp3:MID:wav", "mp3:wav"},
        {"mp3:wav", nullptr},        {"midi:mp3", nullptr}, {"mp3:midi", nullptr},
    };
    for (const auto& c : cases) {
        Winamp winamp(c[0]);
        std::string before, after;
        readFile(winamp.ini, before);
        removeMidFromWinamp();
        readFile(winamp.ini, after);
        if (c[1]) {
            EXPECT_EQ(c[1], winamp.list());
            DWORD studio = 0;
            EXPECT_TRUE(regGetDword(HKEY_CURRENT_USER, Misc, "Studio", studio) && studio == 1);
        } else {
            EXPECT_EQ(before, after) << c[0];
            EXPECT_FALSE(winamp.studio()) << c[0];
        }
    }
}

TEST(WinampExtList, LongListsAreWrittenBackWhole) {
    // 1023 characters fill the first read exactly; 3000 need several.
    for (size_t length : {1023u, 3000u}) {
        std::string kept = "mp3";
        while (kept.size() < length - 4)
            kept += ":xm";
        kept.resize(length - 4);
        Winamp winamp(kept + ":mid");
        removeMidFromWinamp();
        EXPECT_EQ(kept, winamp.list()) << length;
    }
}

TEST(WinampExtList, NothingWithoutIniOrWithoutTheMidFlag) {
    Winamp winamp("mid:mp3");
    InstallOptions options;
    options.associateMid = false;
    Installer(options, nullptr, nullptr).registerFileTypes();
    regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "", "winamp.exe,1");
    removeMidFromWinamp();
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon");
    removeMidFromWinamp();
    EXPECT_EQ("mid:mp3", winamp.list());
    EXPECT_FALSE(winamp.studio());
}

TEST(WinampExtList, FailedWriteIsNotRecorded) {
    Winamp winamp("mid:mp3");
    // Readers may share the file; the writer may not.
    HANDLE hold = CreateFileA(winamp.ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hold);
    removeMidFromWinamp();
    CloseHandle(hold);
    EXPECT_EQ("mid:mp3", winamp.list());
    EXPECT_FALSE(winamp.studio());
}
