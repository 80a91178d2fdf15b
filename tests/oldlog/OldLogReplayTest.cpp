#include <gtest/gtest.h>

#include "LogBuilder.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "payload/KOldLogFile.h"

namespace {

const DWORD HKCU = rootValue(HKEY_CURRENT_USER);
const DWORD HKLM = rootValue(HKEY_LOCAL_MACHINE);
const DWORD HKCR = rootValue(HKEY_CLASSES_ROOT);

class OldLog : public ::testing::Test {
protected:
    std::string logPath() const { return dir / "mkremove.log"; }

    void replay(const std::string& bytes) {
        ASSERT_TRUE(writeFile(logPath(), bytes));
        { KOldLogFile log(KString(dir.path().c_str())); }
        EXPECT_FALSE(pathExists(logPath()));
    }

    std::string value(HKEY root, const char* key, const char* name) {
        return regGetRaw(root, key, name);
    }

    RegistrySandbox sandbox;
    TempFolder dir;
};

}  // namespace

TEST_F(OldLog, HeaderDecidesWhetherAnythingIsReplayed) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Name", "v");
    for (DWORD version : {140u, 201u, 202u})
        replay(LogBuilder(version).end().bytes());
    // Empty, bare header, unknown record type, unknown versions, wrong magic:
    // each log goes, nothing is replayed.
    replay("");
    replay(LogBuilder().bytes());
    replay(LogBuilder().word(0x111).namedString(HKCU, "Software\\Old", "Name", "v", "").bytes());
    for (DWORD version : {200u, 203u})
        replay(LogBuilder(version).namedString(HKCU, "Software\\Old", "Name", "v", "").bytes());
    replay(LogBuilder(202, "MkUn").namedString(HKCU, "Software\\Old", "Name", "v", "").bytes());
    EXPECT_EQ(std::string("v\0", 2), value(HKEY_CURRENT_USER, "Software\\Old", "Name"));
}

TEST_F(OldLog, NamedStringGoesBackOnlyWhenUnchanged) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Gone", "installed");
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Changed", "the user's");
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Restored", "installed");
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Case", "INSTALLED");
    regSetDword(HKEY_CURRENT_USER, "Software\\Old", "Number", 7);
    replay(LogBuilder(140)
               .namedString(HKCU, "Software\\Old", "Gone", "installed", "")
               .namedString(HKCU, "Software\\Old", "Changed", "installed", "")
               .namedString(HKCU, "Software\\Old", "Restored", "installed", "before")
               .namedString(HKCU, "Software\\Old", "Case", "installed", "")
               .namedString(HKCU, "Software\\Old", "Number", std::string("\x07\0\0\0", 4), "")
               .namedString(HKCU, "Software\\Missing", "X", "installed", "before")
               .end()
               .bytes());
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Gone"));
    EXPECT_EQ(std::string("the user's\0", 11), value(HKEY_CURRENT_USER, "Software\\Old", "Changed"));
    EXPECT_EQ(std::string("before\0", 7), value(HKEY_CURRENT_USER, "Software\\Old", "Restored"));
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Case"));
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Number"));  // not a string
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, "Software\\Missing"));
}

TEST_F(OldLog, DefaultStringRemovesItsKeyUnlessItHasSubkeys) {
    regSetString(HKEY_CLASSES_ROOT, ".old", "", "Old.Class");
    regSetString(HKEY_CLASSES_ROOT, ".busy", "", "Old.Class");
    regSetString(HKEY_CLASSES_ROOT, ".busy\\Child", "", "x");
    regSetString(HKEY_CLASSES_ROOT, ".back", "", "Old.Class");
    replay(LogBuilder()
               .defaultString(HKCR, ".busy", "Old.Class", "")
               .defaultString(HKCR, ".old", "Old.Class", "")
               .defaultString(HKCR, ".back", "Old.Class", "txtfile")
               .end()
               .bytes());
    EXPECT_TRUE(regKeyExists(HKEY_CLASSES_ROOT, ".busy\\Child"));
    EXPECT_EQ(std::string("Old.Class\0", 10), value(HKEY_CLASSES_ROOT, ".busy", ""));
    EXPECT_FALSE(regKeyExists(HKEY_CLASSES_ROOT, ".old"));
    EXPECT_EQ(std::string("txtfile\0", 8), value(HKEY_CLASSES_ROOT, ".back", ""));
}

TEST_F(OldLog, DefaultStringNeverRemovesTheRootItself) {
    // An empty key path names the root; the scratch root here has no subkeys,
    // so deleting it would succeed.
    regSetString(HKEY_CURRENT_USER, "", "", "installed");
    replay(LogBuilder().defaultString(HKCU, "", "installed", "").end().bytes());
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "", ""));
}

TEST_F(OldLog, BinaryValueGoesBackOnlyWhenByteForByteEqual) {
    const std::string installed("\x01\x00\x02", 3);
    regSetBinary(HKEY_LOCAL_MACHINE, "Software\\Old", "Gone", installed);
    regSetBinary(HKEY_LOCAL_MACHINE, "Software\\Old", "Restored", installed);
    regSetBinary(HKEY_LOCAL_MACHINE, "Software\\Old", "Longer", installed + '\x00');
    regSetBinary(HKEY_LOCAL_MACHINE, "Software\\Old", "Other", std::string("\x01\x00\x03", 3));
    regSetString(HKEY_LOCAL_MACHINE, "Software\\Old", "Text", "\x01");
    replay(LogBuilder()
               .binary(HKLM, "Software\\Old", "Gone", installed, "")
               .binary(HKLM, "Software\\Old", "Restored", installed, "prev")
               .binary(HKLM, "Software\\Old", "Longer", installed, "prev")
               .binary(HKLM, "Software\\Old", "Other", installed, "prev")
               .binary(HKLM, "Software\\Old", "Text", "\x01", "prev")
               .end()
               .bytes());
    EXPECT_FALSE(regValueExists(HKEY_LOCAL_MACHINE, "Software\\Old", "Gone"));
    EXPECT_EQ("prev", value(HKEY_LOCAL_MACHINE, "Software\\Old", "Restored"));
    EXPECT_EQ(installed + '\x00', value(HKEY_LOCAL_MACHINE, "Software\\Old", "Longer"));
    EXPECT_EQ(std::string("\x01\x00\x03", 3), value(HKEY_LOCAL_MACHINE, "Software\\Old", "Other"));
    EXPECT_EQ("\x01", value(HKEY_LOCAL_MACHINE, "Software\\Old", "Text").substr(0, 1));
}

TEST_F(OldLog, BinaryCountsOutOfRangeEndTheReplay) {
    regSetBinary(HKEY_CURRENT_USER, "Software\\Old", "A", "a");
    regSetBinary(HKEY_CURRENT_USER, "Software\\Old", "B", "b");
    replay(LogBuilder()
               .binary(HKCU, "Software\\Old", "A", "a", "")
               .binary(HKCU, "Software\\Old", "B", "", "")  // installed count 0
               .binary(HKCU, "Software\\Old", "B", "b", "")
               .end()
               .bytes());
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "A"));
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "B"));

    regSetBinary(HKEY_CURRENT_USER, "Software\\Old", "A", "a");
    replay(LogBuilder()
               .binary(HKCU, "Software\\Old", "A", "a", std::string(1025, 'p'))
               .binary(HKCU, "Software\\Old", "B", "b", "")
               .end()
               .bytes());
    EXPECT_EQ("a", value(HKEY_CURRENT_USER, "Software\\Old", "A"));
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "B"));

    // The largest blocks are still read.
    regSetBinary(HKEY_CURRENT_USER, "Software\\Old", "A", std::string(1024, 'a'));
    replay(LogBuilder()
               .binary(HKCU, "Software\\Old", "A", std::string(1024, 'a'), std::string(1024, 'p'))
               .end()
               .bytes());
    EXPECT_EQ(std::string(1024, 'p'), value(HKEY_CURRENT_USER, "Software\\Old", "A"));
}

TEST_F(OldLog, RequiredValuesAreWrittenOnlyWhereMissing) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Present", "the user's");
    regSetDword(HKEY_CURRENT_USER, "Software\\Old", "Number", 3);
    regSetString(HKEY_CURRENT_USER, "Software\\Existing", "Other", "x");
    replay(LogBuilder()
               .requiredNamed(HKCU, "Software\\Old", "Missing", "wanted")
               .requiredNamed(HKCU, "Software\\Old", "Present", "wanted")
               .requiredNamed(HKCU, "Software\\Old", "Number", "wanted")
               .requiredNamed(HKCU, "Software\\NoKey", "Missing", "wanted")
               .requiredDefault(HKCU, "Software\\New\\Deep", "wanted")
               .requiredDefault(HKCU, "Software\\Existing", "wanted")
               .end()
               .bytes());
    EXPECT_EQ(std::string("wanted\0", 7), value(HKEY_CURRENT_USER, "Software\\Old", "Missing"));
    EXPECT_EQ(std::string("the user's\0", 11), value(HKEY_CURRENT_USER, "Software\\Old", "Present"));
    DWORD number = 0;
    EXPECT_TRUE(regGetDword(HKEY_CURRENT_USER, "Software\\Old", "Number", number));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, "Software\\NoKey"));
    EXPECT_EQ(std::string("wanted\0", 7), value(HKEY_CURRENT_USER, "Software\\New\\Deep", ""));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Existing", ""));
}

TEST_F(OldLog, FileRecordsDeleteTheirFiles) {
    TempFolder old;
    writeFile(old / "melko.exe", "old");
    writeFile(old / "keep.txt", "keep");
    replay(LogBuilder()
               .file(old / "missing.dll")
               .file(old / "melko.exe")
               .file("")
               .end()
               .bytes());
    EXPECT_FALSE(pathExists(old / "melko.exe"));
    EXPECT_TRUE(pathExists(old / "keep.txt"));
}

TEST_F(OldLog, LogCutInsideTheFifthRecordKeepsTheFirstFour) {
    for (const char* name : {"A", "B", "C", "D", "E"})
        regSetString(HKEY_CURRENT_USER, "Software\\Old", name, "i");
    LogBuilder log;
    for (const char* name : {"A", "B", "C", "D", "E"})
        log.namedString(HKCU, "Software\\Old", name, "i", "");
    log.end();
    // Cut inside the previous value of E, then at each of its field borders.
    for (size_t cut : {log.size() - 6, log.size() - 8, log.size() - 9, log.size() - 20}) {
        for (const char* name : {"A", "B", "C", "D"})
            regSetString(HKEY_CURRENT_USER, "Software\\Old", name, "i");
        replay(log.bytes().substr(0, cut));
        for (const char* name : {"A", "B", "C", "D"})
            EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", name)) << cut;
        EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "E")) << cut;
    }
}

TEST_F(OldLog, CountOf1025EndsTheReplay) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "A", "i");
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "B", std::string(1024, 'i').c_str());
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "C", "i");
    replay(LogBuilder()
               .namedString(HKCU, "Software\\Old", "A", "i", "")
               .namedString(HKCU, "Software\\Old", "B", std::string(1024, 'i'), "")
               .namedString(HKCU, "Software\\Old", "C", "i", std::string(1025, 'p'))
               .namedString(HKCU, "Software\\Old", "C", "i", "")
               .end()
               .bytes());
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "A"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "B"));
    EXPECT_EQ(std::string("i\0", 2), value(HKEY_CURRENT_USER, "Software\\Old", "C"));

    // A huge count is refused before anything is allocated for it.
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "A", "i");
    replay(LogBuilder().word(0x101).word(HKCU).word(0xFFFFFFFF).bytes());
    replay(LogBuilder().word(0x110).word(0x80000000).text("x").bytes());
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "A"));
}

TEST_F(OldLog, RecordWithAForeignRootIsSkipped) {
    // A real open key of this process: its handle value must not be used.
    HKEY open = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Handle", &open));
    regSetString(HKEY_CURRENT_USER, "Software\\Handle\\Sub", "Name", "i");
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Name", "i");
    replay(LogBuilder()
               .namedString(rootValue(open), "Sub", "Name", "i", "")
               .requiredNamed(rootValue(open), "Sub", "Added", "x")
               .requiredDefault(0x80000007, "Software\\Old", "x")
               .namedString(0, "Software\\Old", "Name", "i", "")
               .namedString(HKCU, "Software\\Old", "Name", "i", "")
               .end()
               .bytes());
    RegCloseKey(open);
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Handle\\Sub", "Name"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Handle\\Sub", "Added"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", ""));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Name"));  // replay went on
}

TEST_F(OldLog, NamesWithANulByteAreSkipped) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Name", "i");
    TempFolder old;
    writeFile(old / "a", "keep");
    replay(LogBuilder()
               .namedString(HKCU, std::string("Software\\Old\0\\Other", 19), "Name", "i", "")
               .namedString(HKCU, "Software\\Old", std::string("Name\0x", 6), "i", "")
               .file(old / std::string("a\0b", 3))
               .end()
               .bytes());
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Name"));
    EXPECT_TRUE(pathExists(old / "a"));
}

TEST_F(OldLog, LogHeldOpenElsewhereIsLeftAlone) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Name", "i");
    ASSERT_TRUE(writeFile(logPath(),
                          LogBuilder().namedString(HKCU, "Software\\Old", "Name", "i", "").bytes()));
    HANDLE held = CreateFileA(logPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    { KOldLogFile log(KString(dir.path().c_str())); }
    CloseHandle(held);
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Name"));
    EXPECT_TRUE(pathExists(logPath()));
}

TEST_F(OldLog, InstallStepReplaysTheLogOfTheTargetFolder) {
    regSetString(HKEY_CURRENT_USER, "Software\\Old", "Name", "i");
    writeFile(logPath(), LogBuilder().namedString(HKCU, "Software\\Old", "Name", "i", "").bytes());
    InstallOptions options;
    options.folder = KString((" " + dir.path() + " ").c_str());
    Installer installer(options, nullptr, nullptr);
    installer.cleanUpPreviousVersion();
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Old", "Name"));
    EXPECT_FALSE(pathExists(logPath()));
    installer.cleanUpPreviousVersion();  // nothing left to replay
}
