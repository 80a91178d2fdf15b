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

// The extension's class name, or "-" when the key is missing.
std::string classOf(const char* extension) {
    std::string name;
    if (!regKeyExists(HKEY_CLASSES_ROOT, extension))
        return "-";
    regGetString(HKEY_CLASSES_ROOT, extension, "", name);
    return name;
}

DWORD dword(const std::string& key, const char* name) {
    DWORD value = 0xDEAD;
    regGetDword(HKEY_CURRENT_USER, key.c_str(), name, value);
    return value;
}

std::string text(HKEY root, const std::string& key, const char* name = "") {
    std::string value = "-";
    regGetString(root, key.c_str(), name, value);
    return value;
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

    const std::string c = "Lorimund.MIDI";
    EXPECT_EQ("Lorimund's Karaoke Player MIDI Sequence", text(HKEY_CLASSES_ROOT, c));
    DWORD flags = 0;
    EXPECT_TRUE(regGetDword(HKEY_CLASSES_ROOT, c.c_str(), "EditFlags", flags));
    EXPECT_EQ(0x10000u, flags);
    EXPECT_EQ("C:\\Apps\\Karaoke\\melko.exe,1", text(HKEY_CLASSES_ROOT, c + "\\DefaultIcon"));
    EXPECT_EQ("play", text(HKEY_CLASSES_ROOT, c + "\\shell"));
    EXPECT_EQ("&Play", text(HKEY_CLASSES_ROOT, c + "\\shell\\play"));
    EXPECT_EQ("&Open", text(HKEY_CLASSES_ROOT, c + "\\shell\\open"));
    for (const char* verb : {"play", "open"})
        EXPECT_EQ("\"C:\\Apps\\Karaoke\\melko.exe\"",
                  text(HKEY_CLASSES_ROOT, c + "\\shell\\" + verb + "\\command"));
    EXPECT_EQ("[load(\"%1\")][play]", text(HKEY_CLASSES_ROOT, c + "\\shell\\play\\ddeexec"));
    EXPECT_EQ("[load(\"%1\")]", text(HKEY_CLASSES_ROOT, c + "\\shell\\open\\ddeexec"));
    EXPECT_FALSE(regKeyExists(HKEY_CLASSES_ROOT, (c + "\\shell\\edit").c_str()));
    // No extension was taken, yet every record key exists.
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
    registerTypes(true, true, true, false);

    EXPECT_EQ("Lorimund.MIDI", classOf(".mid"));
    EXPECT_EQ(1u, dword(record(".mid"), "Register"));
    EXPECT_EQ(1u, dword(record(".mid"), "ExistedBefore"));
    EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
    EXPECT_EQ("Lorimund.MIDI", classOf(".midi"));
    EXPECT_EQ(1u, dword(record(".midi"), "ExistedBefore"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(".midi").c_str(), "DefaultValue"));
    EXPECT_EQ("Lorimund.MIDI", classOf(".kar"));
    EXPECT_EQ(0u, dword(record(".kar"), "ExistedBefore"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(".kar").c_str(), "DefaultValue"));
    EXPECT_EQ("rmifile", classOf(".rmi"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(".rmi").c_str(), "Register"));

    registerTypes(true, true, true, false);
    EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
    EXPECT_EQ(1u, dword(record(".mid"), "ExistedBefore"));
    EXPECT_EQ(0u, dword(record(".kar"), "ExistedBefore"));
}

TEST(FileTypes, UntickingGivesBackFromTheRecord) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "midfile");
    regSetDword(HKEY_CLASSES_ROOT, ".midi", "", 7);  // a class name that is no string
    registerTypes(true, true, true, true);
    // Since then another program hung a subkey below ".kar"; ".rmi" lost its
    // record, and the record of ".midi" holds an older class.
    regSetString(HKEY_CLASSES_ROOT, ".kar\\ShellNew", "NullFile", "");
    RegDeleteKeyA(HKEY_CURRENT_USER, record(".rmi").c_str());
    regSetString(HKEY_CURRENT_USER, record(".midi").c_str(), "DefaultValue", "midifile");
    registerTypes(false, false, false, false);

    EXPECT_EQ("midfile", classOf(".mid"));
    EXPECT_EQ("midifile", classOf(".midi"));
    EXPECT_EQ("", classOf(".kar"));  // kept for its subkey, but no longer the player's
    EXPECT_FALSE(isPlayerFileType(".kar"));
    EXPECT_EQ("-", classOf(".rmi"));
    for (const char* extension : {".mid", ".midi", ".kar"}) {
        EXPECT_EQ(0u, dword(record(extension), "Register")) << extension;
        EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(extension).c_str(), "ExistedBefore"));
        EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(extension).c_str(), "DefaultValue"));
    }
}

TEST(FileTypes, ClassNameInOtherCaseIsThePlayersAndForeignOnesStay) {
    RegistrySandbox sandbox;
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "lorimund.midi");
    regSetString(HKEY_CURRENT_USER, record(".mid").c_str(), "DefaultValue", "midfile");
    regSetString(HKEY_CLASSES_ROOT, ".midi", "", "LORIMUND.MIDI");
    regSetString(HKEY_CLASSES_ROOT, ".kar", "", "Lorimund.MIDI.Karaoke");  // 21 characters
    regSetString(HKEY_CLASSES_ROOT, ".rmi", "", "rmifile");
    regSetDword(HKEY_CURRENT_USER, record(".rmi").c_str(), "Register", 1);
    EXPECT_TRUE(isPlayerFileType(".mid"));
    EXPECT_FALSE(isPlayerFileType(".kar"));
    EXPECT_FALSE(isPlayerFileType(".none"));
    registerTypes(true, false, false, false);

    EXPECT_EQ("lorimund.midi", classOf(".mid"));
    EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(".mid").c_str(), "Register"));
    EXPECT_EQ("-", classOf(".midi"));  // the player's, unticked, no record: deleted
    EXPECT_EQ("Lorimund.MIDI.Karaoke", classOf(".kar"));
    EXPECT_EQ("rmifile", classOf(".rmi"));
    EXPECT_EQ(1u, dword(record(".rmi"), "Register"));
}

TEST(FileTypes, EarlierLayoutRecordsAreConverted) {
    RegistrySandbox sandbox;
    const std::string backup = Program + "\\Backup\\Filetypes\\";
    regSetString(HKEY_CURRENT_USER, (Program + "\\Setup\\.mid").c_str(), "x", "");
    regSetString(HKEY_CURRENT_USER, (backup + ".mid").c_str(), "", "midfile");
    regSetDword(HKEY_CURRENT_USER, (backup + ".mid").c_str(), "ExistedBefore", 1);
    regSetString(HKEY_CURRENT_USER, (Program + "\\Setup\\.kar").c_str(), "x", "");  // no partner
    regSetDword(HKEY_CURRENT_USER, (backup + ".rmi").c_str(), "ExistedBefore", 0);  // no marker
    regSetDword(HKEY_CURRENT_USER, (Program + "\\Setup").c_str(), "ReregisterFiletypes", 0);
    migrateFileTypeRecords();

    EXPECT_EQ(1u, dword(record(".mid"), "Register"));
    EXPECT_EQ(1u, dword(record(".mid"), "ExistedBefore"));
    EXPECT_EQ("midfile", text(HKEY_CURRENT_USER, record(".mid"), "DefaultValue"));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (Program + "\\Setup\\.mid").c_str()));
    EXPECT_EQ(1u, dword(record(".kar"), "Register"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, (Program + "\\Setup\\.kar").c_str()));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, record(".rmi").c_str(), "Register"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, record(".midi").c_str()));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, (Program + "\\Backup\\Filetypes").c_str()));
    EXPECT_EQ(0u, dword(Program + "\\Setup", "ReregisterFiletypes"));
}

TEST(FileTypes, ReregisterSettingBecomesOneUnlessItIsZero) {
    RegistrySandbox sandbox;
    const std::string setup = Program + "\\Setup";
    registerTypes(false, false, false, false);
    EXPECT_EQ(1u, dword(setup, "ReregisterFiletypes"));
    regSetDword(HKEY_CURRENT_USER, setup.c_str(), "ReregisterFiletypes", 0);
    registerTypes(false, false, false, false);
    EXPECT_EQ(0u, dword(setup, "ReregisterFiletypes"));
    regSetDword(HKEY_CURRENT_USER, setup.c_str(), "ReregisterFiletypes", 5);
    registerTypes(false, false, false, false);
    EXPECT_EQ(1u, dword(setup, "ReregisterFiletypes"));
}
