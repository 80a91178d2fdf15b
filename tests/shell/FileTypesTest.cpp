#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "app/Installer.h"
#include "shell/FileTypes.h"

namespace {

const std::string Program = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player";

std::string record(const char* extension) {
    return Program + "\\Filetype" + extension;
}

// A string value, "-" when missing.
std::string text(HKEY root, const std::string& key, const char* name = "") {
    std::string value = "-";
    regGetString(root, key.c_str(), name, value);
    return value;
}

// The extension's class name, "" without one, "-" without the key.
std::string classOf(const char* extension) {
    return regKeyExists(HKEY_CLASSES_ROOT, extension) && text(HKEY_CLASSES_ROOT, extension) == "-"
               ? ""
               : text(HKEY_CLASSES_ROOT, extension);
}

DWORD dword(const std::string& key, const char* name) {
    DWORD value = 0xDEAD;
    regGetDword(HKEY_CURRENT_USER, key.c_str(), name, value);
    return value;
}

bool has(const std::string& key, const char* name) {
    return regValueExists(HKEY_CURRENT_USER, key.c_str(), name);
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

}  // namespace

TEST(FileTypes, ClassIsRebuiltExactlyEvenWithNothingTicked) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, "Lorimund.MIDI\\shell\\edit\\command", "", "notepad %1");
    registerTypes(false, false, false, false);

    const char* const expected[][2] = {
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
    for (const auto& row : expected)
        EXPECT_EQ(row[1], text(HKEY_CLASSES_ROOT, std::string("Lorimund.MIDI") + row[0])) << row[0];
    DWORD flags = 0;
    EXPECT_TRUE(regGetDword(HKEY_CLASSES_ROOT, "Lorimund.MIDI", "EditFlags", flags));
    EXPECT_EQ(0x10000u, flags);
    EXPECT_FALSE(regKeyExists(HKEY_CLASSES_ROOT, "Lorimund.MIDI\\shell\\edit"));
    for (const char* extension : {".mid", ".midi", ".kar", ".rmi"}) {
        EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, record(extension).c_str()));
        EXPECT_EQ("-", classOf(extension));
    }
}

TEST(FileTypes, FirstInstallRecordsAndSecondKeepsTheFirstRecord) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "midfile");
    regSetString(HKEY_CLASSES_ROOT, ".midi", "Content Type", "audio/midi");  // no class
    regSetString(HKEY_CLASSES_ROOT, ".rmi", "", "rmifile");
    for (int run = 0; run < 2; ++run) {
        registerTypes(true, true, true, false);
        for (const char* extension : {".mid", ".midi", ".kar"}) {
            EXPECT_EQ("Lorimund.MIDI", classOf(extension));
            EXPECT_EQ(1u, dword(record(extension), "Register"));
        }
        EXPECT_EQ(1u, dword(record(".mid"), "ExistedBefore"));
        EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
        EXPECT_EQ(1u, dword(record(".midi"), "ExistedBefore"));
        EXPECT_FALSE(has(record(".midi"), "DefaultValue"));
        EXPECT_EQ(0u, dword(record(".kar"), "ExistedBefore"));
        EXPECT_FALSE(has(record(".kar"), "DefaultValue"));
        EXPECT_EQ("rmifile", classOf(".rmi"));
        EXPECT_FALSE(has(record(".rmi"), "Register"));
    }
}

TEST(FileTypes, UntickingGivesBackFromTheRecord) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "midfile");
    regSetDword(HKEY_CLASSES_ROOT, ".midi", "", 7);  // a class name that is no string
    registerTypes(true, true, true, true);
    // Since then another program hung a subkey below ".kar"; ".rmi" lost its
    // record; the record of ".midi" holds a class from an older run.
    regSetString(HKEY_CLASSES_ROOT, ".kar\\ShellNew", "NullFile", "");
    RegDeleteKeyA(HKEY_CURRENT_USER, record(".rmi").c_str());
    regSetString(HKEY_CURRENT_USER, record(".midi").c_str(), "DefaultValue", "midifile");
    registerTypes(false, false, false, false);

    EXPECT_EQ("midfile", classOf(".mid"));
    EXPECT_EQ("midifile", classOf(".midi"));
    EXPECT_EQ("", classOf(".kar"));  // kept for its subkey, but no longer the player's
    EXPECT_EQ("-", classOf(".rmi"));
    for (const char* extension : {".mid", ".midi", ".kar"}) {
        EXPECT_EQ(0u, dword(record(extension), "Register")) << extension;
        EXPECT_FALSE(has(record(extension), "ExistedBefore"));
        EXPECT_FALSE(has(record(extension), "DefaultValue"));
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
    EXPECT_FALSE(isPlayerFileType(".kar"));
    EXPECT_FALSE(isPlayerFileType(".none"));
    registerTypes(true, false, false, false);

    EXPECT_EQ("lorimund.midi", classOf(".mid"));
    EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
    EXPECT_FALSE(has(record(".mid"), "Register"));
    EXPECT_EQ("-", classOf(".midi"));  // the player's, unticked, no record: deleted
    EXPECT_EQ("Lorimund.MIDI.Karaoke", classOf(".kar"));
    EXPECT_EQ("rmifile", classOf(".rmi"));
    EXPECT_EQ(1u, dword(record(".rmi"), "Register"));
}

TEST(FileTypes, EarlierLayoutRecordsAreConverted) {
    RegistrySandbox sandbox;
    const std::string setup = Program + "\\Setup\\";
    const std::string backup = Program + "\\Backup\\Filetypes\\";
    regSetString(HKEY_CURRENT_USER, (setup + ".mid").c_str(), "x", "");
    regSetString(HKEY_CURRENT_USER, (backup + ".mid").c_str(), "", "midfile");
    regSetDword(HKEY_CURRENT_USER, (backup + ".mid").c_str(), "ExistedBefore", 1);
    regSetString(HKEY_CURRENT_USER, (setup + ".kar").c_str(), "x", "");  // no partner
    regSetDword(HKEY_CURRENT_USER, (backup + ".rmi").c_str(), "ExistedBefore", 0);  // no marker
    migrateFileTypeRecords();

    EXPECT_EQ(1u, dword(record(".mid"), "Register"));
    EXPECT_EQ(1u, dword(record(".mid"), "ExistedBefore"));
    EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (setup + ".mid").c_str()));
    EXPECT_EQ(1u, dword(record(".kar"), "Register"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, (setup + ".kar").c_str()));
    EXPECT_FALSE(has(record(".rmi"), "Register"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, record(".midi").c_str()));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (Program + "\\Backup\\Filetypes").c_str()));
}

TEST(FileTypes, ReregisterSettingBecomesOneUnlessItIsZero) {
    RegistrySandbox sandbox;
    const std::string setup = Program + "\\Setup";
    for (DWORD found : {0u, 5u}) {
        regSetDword(HKEY_CURRENT_USER, setup.c_str(), "ReregisterFiletypes", found);
        registerTypes(false, false, false, false);
        EXPECT_EQ(found == 0 ? 0u : 1u, dword(setup, "ReregisterFiletypes"));
    }
    regSetString(HKEY_CURRENT_USER, setup.c_str(), "ReregisterFiletypes", "0");  // not a number
    registerTypes(false, false, false, false);
    EXPECT_EQ(1u, dword(setup, "ReregisterFiletypes"));
}
