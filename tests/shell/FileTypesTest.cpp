#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "shell/FileTypes.h"

namespace {

const std::string Program = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player";
const std::string SetupKey = Program + "\\Setup";
const std::string Misc = Program + "\\Backup\\Misc";

std::string record(const char* extension) { return Program + "\\Filetype" + extension; }

// "class|Register|ExistedBefore|DefaultValue", each read as the type it must
// have; the class is "" when the extension's key has none, "-" when there is
// no key.
std::string state(const char* extension) {
    std::string type = regText(HKEY_CLASSES_ROOT, extension, "");
    if (type == "-" && regKeyExists(HKEY_CLASSES_ROOT, extension))
        type = "";
    const std::string r = record(extension);
    return type + "|" + regNumber(HKEY_CURRENT_USER, r, "Register") + "|" +
           regNumber(HKEY_CURRENT_USER, r, "ExistedBefore") + "|" +
           regText(HKEY_CURRENT_USER, r, "DefaultValue");
}

void registerTypes(bool mid, bool midi, bool kar, bool rmi) {
    InstallOptions options;
    options.folder = " C:\\Apps\\Karaoke ";
    options.associateMid = mid;
    options.associateMidi = midi;
    options.associateKar = kar;
    options.associateRmi = rmi;
    Installer(options, nullptr, nullptr).registerFileTypes();
}

const char* const Extensions[] = {".mid", ".midi", ".kar", ".rmi"};

}  // namespace

TEST(FileTypes, ClassAndStateTableOverTwoInstallsAndUnticking) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "midfile");
    regSetDword(HKEY_CLASSES_ROOT, ".midi", "", 7);  // a class name that is no string
    regSetString(HKEY_CLASSES_ROOT, ".rmi", "Content Type", "audio/mid");  // no class name
    for (DWORD reregister : {0u, 5u}) {  // the player's wish: a present 0 stays, else 1
        regSetDword(HKEY_CURRENT_USER, SetupKey.c_str(), "ReregisterFiletypes", reregister);
        registerTypes(true, true, true, true);
        const char* const installed[] = {"Lorimund.MIDI|1|1|midfile", "Lorimund.MIDI|1|1|-",
                                         "Lorimund.MIDI|1|0|-", "Lorimund.MIDI|1|1|-"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(installed[i], state(Extensions[i])) << reregister << Extensions[i];
        EXPECT_EQ(reregister ? "1" : "0",
                  regNumber(HKEY_CURRENT_USER, SetupKey, "ReregisterFiletypes"));
    }

    // Since then another program hung a subkey below ".kar" and a verb on the class.
    regSetString(HKEY_CLASSES_ROOT, ".kar\\ShellNew", "NullFile", "");
    regSetString(HKEY_CLASSES_ROOT, "Lorimund.MIDI\\shell\\edit\\command", "", "notepad %1");
    regSetString(HKEY_CURRENT_USER, SetupKey.c_str(), "ReregisterFiletypes", "0");  // no number
    registerTypes(false, false, false, false);
    // A key that was there before stays, with what others keep in it; only
    // the key that the installer made goes.
    const char* const givenBack[] = {"midfile|0|-|-", "|0|-|-", "|0|-|-", "|0|-|-"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(givenBack[i], state(Extensions[i])) << Extensions[i];
    EXPECT_EQ("audio/mid", regText(HKEY_CLASSES_ROOT, ".rmi", "Content Type"));
    EXPECT_EQ("1", regNumber(HKEY_CURRENT_USER, SetupKey, "ReregisterFiletypes"));

    // The class is rebuilt exactly, even with nothing ticked.
    const char* const rows[][2] = {
        {"", "Lorimund's Karaoke Player MIDI Sequence"},
        {"\\DefaultIcon", "C:\\Apps\\Karaoke\\melko.exe,1"},
        {"\\shell", "play"},
        {"\\shell\\play", "&Play"},
        {"\\shell\\open", "&Open"},
        {"\\shell\\play\\command", "\"C:\\Apps\\Karaoke\\melko.exe\""},
        {"\\shell\\open\\command", "\"C:\\Apps\\Karaoke\\melko.exe\""},
        {"\\shell\\play\\ddeexec", "[load(\"%1\")][play]"},
        {"\\shell\\open\\ddeexec", "[load(\"%1\")]"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row[1], regText(HKEY_CLASSES_ROOT, std::string("Lorimund.MIDI") + row[0], ""))
            << row[0];
    EXPECT_EQ("65536", regNumber(HKEY_CLASSES_ROOT, "Lorimund.MIDI", "EditFlags"));
    EXPECT_FALSE(regKeyExists(HKEY_CLASSES_ROOT, "Lorimund.MIDI\\shell\\edit"));
}

TEST(FileTypes, FirstRunWithNothingTickedStillMakesEveryRecordKey) {
    RegistrySandbox sandbox;
    registerTypes(false, false, false, false);
    for (const char* extension : Extensions) {
        EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, record(extension).c_str())) << extension;
        EXPECT_EQ("-|-|-|-", state(extension)) << extension;
    }
}

TEST(FileTypes, ClassNameInOtherCaseIsThePlayersAndForeignOnesStay) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "lorimund.midi");
    regSetString(HKEY_CURRENT_USER, record(".mid").c_str(), "DefaultValue", "midfile");
    regSetString(HKEY_CLASSES_ROOT, ".midi", "", "LORIMUND.MIDI");
    regSetString(HKEY_CLASSES_ROOT, ".kar", "", "Lorimund.MIDI.Karaoke");  // over 19 characters
    regSetString(HKEY_CLASSES_ROOT, ".rmi", "", "rmifile");
    regSetDword(HKEY_CURRENT_USER, record(".rmi").c_str(), "Register", 1);
    registerTypes(true, false, false, false);
    const char* const expected[] = {"lorimund.midi|-|-|midfile", "-|0|-|-",
                                    "Lorimund.MIDI.Karaoke|-|-|-", "rmifile|1|-|-"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], state(Extensions[i])) << Extensions[i];
}

TEST(FileTypes, EarlierLayoutRecordsAreConverted) {
    RegistrySandbox sandbox;
    const std::string setup = SetupKey + "\\";
    const std::string backup = Program + "\\Backup\\Filetypes\\";
    regSetString(HKEY_CURRENT_USER, (setup + ".mid").c_str(), "x", "");
    regSetString(HKEY_CURRENT_USER, (backup + ".mid").c_str(), "", "midfile");
    regSetDword(HKEY_CURRENT_USER, (backup + ".mid").c_str(), "ExistedBefore", 1);
    regSetString(HKEY_CURRENT_USER, (setup + ".kar").c_str(), "x", "");  // no partner
    regSetDword(HKEY_CURRENT_USER, (backup + ".rmi").c_str(), "ExistedBefore", 0);  // no marker
    migrateFileTypeRecords();

    const char* const expected[] = {"-|1|1|midfile", "-|-|-|-", "-|1|-|-", "-|-|-|-"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], state(Extensions[i])) << Extensions[i];
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (setup + ".mid").c_str()));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, (setup + ".kar").c_str()));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (Program + "\\Backup\\Filetypes").c_str()));
}

TEST(WinampExtList, ListRulesAndIniPath) {
    const char* const cases[][2] = {
        {"mid:mp3:wav", ":mp3:wav"},  {"mp3:MID:wav", "mp3:wav"}, {"mid", ""},
        {"midi:mid:mp3", "midi:mp3"}, {"mid:mp3:mid", ":mp3:mid"},  // the first entry only
        {"mp3:midi:mid", "mp3:midi"},  // a hit inside "midi" first, then the entry
        {"midi:mp3", nullptr},        {"mp3:midi", nullptr},        {"mid2:kar", nullptr},
        {"amid:mp3", nullptr},        {"", nullptr},
    };
    for (const auto& c : cases) {
        KString list(c[0]);
        EXPECT_EQ(c[1] != nullptr, removeMidEntry(list)) << c[0];
        EXPECT_STREQ(c[1] ? c[1] : c[0], list.chars());
    }
    const char* const icons[][2] = {
        {"D:\\Apps\\Winamp\\winamp.exe,1", "D:\\Apps\\Winamp\\winamp.ini"},
        {" \tC:\\winamp.exe,0\r\n", "C:\\winamp.ini"},
        {"winamp.exe,1", "-"}, {"\\winamp.exe,1", "-"}, {"C\\winamp.exe,1", "-"}, {"", "-"},
    };
    for (const auto& c : icons) {
        KString path;
        EXPECT_STREQ(c[1], winampIniFromIcon(KString(c[0]), path) ? path.chars() : "-") << c[0];
    }
}

TEST(WinampExtList, FileIsEditedAndRecordedOnlyWhenMidGoes) {
    // 1023 characters fill the first read exactly; 3000 need more than one.
    std::string full = "mp3", longer;
    while (full.size() < 2996)
        full += ":xm";
    longer = full.substr(0, 2996);
    full.resize(1019);
    // list, list after ("" for an untouched file), what is in the way
    const std::string cases[][3] = {
        {"mid:mp3:wav", ":mp3:wav", ""}, {"mp3:wav", "", ""}, {full + ":mid", full, ""},
        {longer + ":mid", longer, ""},
        {"mid:mp3", "", "unticked"},     {"mid:mp3", "", "held"},
        {"mid:mp3", "", "no icon"},      {"mid:mp3", "", "winamp.exe,1"}};
    for (const auto& c : cases) {
        RegistrySandbox sandbox;
        TempFolder dir;
        const std::string icon = c[2] == "winamp.exe,1" ? c[2] : " " + dir.path() + "winamp.exe,1 ";
        if (c[2] != "no icon")
            regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "", icon.c_str());
        const std::string ini = dir / "winamp.ini", head = "[Winamp]\r\noutname=out_wave.dll\r\n",
                          before = head + "extlist=" + c[0] + "\r\n";
        writeFile(ini, before);
        // Readers may share the file; the writer may not.
        HANDLE held = c[2] == "held" ? CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                   nullptr, OPEN_EXISTING, 0, nullptr)
                                     : nullptr;
        if (c[2] == "unticked")
            registerTypes(false, false, false, false);
        else
            removeMidFromWinamp();
        if (held)
            CloseHandle(held);
        std::string after;
        readFile(ini, after);
        EXPECT_EQ(c[1].empty() ? before : head + "extlist=" + c[1] + "\r\n", after) << c[2];
        EXPECT_EQ(c[1].empty() ? "-" : "1", regNumber(HKEY_CURRENT_USER, Misc, "Studio")) << c[2];
    }
}
