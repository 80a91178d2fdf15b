#include <gtest/gtest.h>

#include "AllocationWatch.h"
#include "LogBuilder.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "payload/KOldLogFile.h"

namespace {

const DWORD HKCU = rootValue(HKEY_CURRENT_USER);
const char* const Old = "Software\\Old";

// A string value's data as stored, with its terminating NUL.
std::string sz(const std::string& s) { return s + '\0'; }

class OldLog : public ::testing::Test {
protected:
    std::string logPath() const { return dir / "mkremove.log"; }
    void replay(const std::string& bytes) {
        ASSERT_TRUE(writeFile(logPath(), bytes));
        { KOldLogFile log(KString(dir.path().c_str())); }
        EXPECT_FALSE(pathExists(logPath()));
    }
    // Values of HKCU\Software\Old.
    void set(const char* name, const std::string& value) {
        regSetString(HKEY_CURRENT_USER, Old, name, value.c_str());
    }
    std::string get(const char* name) { return regGetRaw(HKEY_CURRENT_USER, Old, name); }

    RegistrySandbox sandbox;
    TempFolder dir;
};

}  // namespace

TEST_F(OldLog, HeaderDecidesWhetherAnythingIsReplayed) {
    struct { DWORD version; const char* magic; bool replayed; } cases[] = {
        {140, "MkUN", true}, {201, "MkUN", true}, {202, "MkUN", true},
        {200, "MkUN", false}, {203, "MkUN", false}, {202, "MkUn", false}};
    for (const auto& c : cases) {
        set("Name", "v");
        replay(LogBuilder(c.version, c.magic).named(HKCU, Old, "Name", "v", "").bytes());
        EXPECT_EQ(c.replayed, get("Name") == "<absent>") << c.version << c.magic;
    }
    // Empty, a bare header, an unknown record type: the log goes, nothing else.
    for (const std::string& log : {std::string(), LogBuilder().bytes(),
                                   LogBuilder().word(0x111).named(HKCU, Old, "Name", "v", "").bytes()})
        replay(log);
    EXPECT_EQ(sz("v"), get("Name"));
}

// Each case is a log of one record, replayed on what earlier cases left.
TEST_F(OldLog, StringRecordsChangeOnlyWhatTheyInstalled) {
    const char* const Absent = nullptr;
    struct { DWORD type; const char *key, *name, *current, *installed, *previous, *after; } cases[] = {
        {NamedString, Old, "Gone", "i", "i", "", Absent},
        {NamedString, Old, "Changed", "user", "i", "", "user"},
        {NamedString, Old, "Case", "I", "i", "", "I"},
        {NamedString, Old, "Restored", "i", "i", "before", "before"},
        {NamedString, "Software\\Missing", "X", Absent, "i", "before", Absent},
        {DefaultString, "Software\\Gone", "", "i", "i", "", Absent},
        {DefaultString, "Software\\Busy", "", "i", "i", "", "i"},  // has a subkey
        {DefaultString, "Software\\Back", "", "i", "i", "txtfile", "txtfile"},
        {RequiredNamed, Old, "Wanted", Absent, "w", Absent, "w"},
        {RequiredNamed, Old, "Present", "user", "w", Absent, "user"},
        {RequiredNamed, "Software\\NoKey", "Wanted", Absent, "w", Absent, Absent},
        {RequiredDefault, "Software\\New\\Deep", "", Absent, "w", Absent, "w"},
        {RequiredDefault, "Software\\Busy\\Child", "", Absent, "w", Absent, Absent},  // key exists
    };
    regSetString(HKEY_CURRENT_USER, "Software\\Busy\\Child", "Other", "x");
    for (const auto& c : cases) {
        if (c.current)
            regSetString(HKEY_CURRENT_USER, c.key, c.name, c.current);
        std::vector<std::string> texts{c.key};
        if (c.type == NamedString || c.type == RequiredNamed)
            texts.push_back(c.name);
        texts.push_back(c.installed);
        if (c.previous)
            texts.push_back(c.previous);
        replay(LogBuilder().record(c.type, HKCU, texts).end().bytes());
        EXPECT_EQ(c.after ? sz(c.after) : "<absent>", regGetRaw(HKEY_CURRENT_USER, c.key, c.name))
            << c.key << " " << c.name;
    }
    for (const char* key : {"Software\\Missing", "Software\\Gone", "Software\\NoKey"})
        EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, key)) << key;
    // An empty key path names the root, which never goes (this one has no subkeys).
    regSetString(HKEY_CLASSES_ROOT, "", "", "i");
    replay(LogBuilder().record(DefaultString, rootValue(HKEY_CLASSES_ROOT), {"", "i", ""}).end().bytes());
    EXPECT_TRUE(regValueExists(HKEY_CLASSES_ROOT, "", ""));
    // Values that are not strings are never the installed ones, and present.
    regSetDword(HKEY_CURRENT_USER, Old, "Number", 7);
    replay(LogBuilder()
               .named(HKCU, Old, "Number", std::string("\x07\0\0\0", 4), "")
               .record(RequiredNamed, HKCU, {Old, "Number", "w"})
               .end()
               .bytes());
    EXPECT_EQ(std::string("\x07\0\0\0", 4), get("Number"));
}

TEST_F(OldLog, BinaryValueGoesBackOnlyWhenByteForByteEqual) {
    const std::string installed("\x01\x00\x02", 3), other("\x01\x00\x03", 3), big(1024, 'a'), bigPrevious(1024, 'p');
    // Counts of 0 (installed) or 1025 end the replay; 1024 is still read.
    struct { std::string current, installed, previous, after; bool goesOn; } cases[] = {
        {installed, installed, "", "<absent>", true},
        {installed, installed, "prev", "prev", true},
        {installed + '\0', installed, "prev", installed + '\0', true},
        {other, installed, "prev", other, true},
        {"a", "", "", "a", false},
        {"a", "a", std::string(1025, 'p'), "a", false},
        {big, big, bigPrevious, bigPrevious, true}};
    for (const auto& c : cases) {
        regSetBinary(HKEY_CURRENT_USER, Old, "A", c.current);
        set("B", "b");
        replay(LogBuilder()
                   .record(NamedBinary, HKCU, {Old, "A", c.installed, c.previous})
                   .named(HKCU, Old, "B", "b", "")
                   .end()
                   .bytes());
        EXPECT_EQ(c.after, get("A")) << c.after.size();
        EXPECT_EQ(c.goesOn, get("B") == "<absent>") << c.after.size();
    }
    set("A", "\x01");  // a string, never the installed block
    replay(LogBuilder().record(NamedBinary, HKCU, {Old, "A", "\x01", "prev"}).end().bytes());
    EXPECT_EQ(sz("\x01"), get("A"));
}

TEST_F(OldLog, FileRecordsDeleteTheirFiles) {
    TempFolder old;
    for (const char* name : {"melko.exe", "keep.txt", "a"})
        writeFile(old / name, "old");
    replay(LogBuilder()
               .file(old / "missing.dll")
               .file(old / "melko.exe")
               .file("")
               .file(old / std::string("a\0b", 3))  // cut by a NUL: skipped
               .end()
               .bytes());
    EXPECT_FALSE(pathExists(old / "melko.exe"));
    EXPECT_TRUE(pathExists(old / "keep.txt"));
    EXPECT_TRUE(pathExists(old / "a"));
}

TEST_F(OldLog, LogCutInsideTheFifthRecordKeepsTheFirstFour) {
    const char* const names[] = {"A", "B", "C", "D", "E"};
    LogBuilder log;
    for (const char* name : names)
        log.named(HKCU, Old, name, "i", "");
    log.end();
    // Cut inside the previous value of E, then at each of its field borders.
    for (size_t cut : {log.size() - 6, log.size() - 8, log.size() - 9, log.size() - 20}) {
        for (const char* name : names)
            set(name, "i");
        replay(log.bytes().substr(0, cut));
        for (const char* name : names)
            EXPECT_EQ(name[0] == 'E', regValueExists(HKEY_CURRENT_USER, Old, name)) << cut << name;
    }
}

TEST_F(OldLog, CountOf1025EndsTheReplay) {
    for (const char* name : {"A", "B", "C"})
        set(name, name[0] == 'B' ? std::string(1024, 'i') : "i");
    replay(LogBuilder()
               .named(HKCU, Old, "A", "i", "")
               .named(HKCU, Old, "B", std::string(1024, 'i'), "")
               .named(HKCU, Old, "C", "i", std::string(1025, 'p'))
               .named(HKCU, Old, "C", "i", "")
               .end()
               .bytes());
    EXPECT_EQ("<absent>", get("A"));
    EXPECT_EQ("<absent>", get("B"));
    EXPECT_EQ(sz("i"), get("C"));
}

// Counts no log can hold end the replay at once: the record after one stays
// unapplied, and no block near its size is asked for (a 32-bit installer
// would run out of memory on it).
TEST_F(OldLog, HugeCountsEndTheReplayAtOnce) {
    const std::string following =
        LogBuilder().named(HKCU, Old, "A", "i", "").end().bytes().substr(8);
    const struct {
        const char* what;
        std::string log;
    } cases[] = {
        {"file path", LogBuilder().word(0x110).word(0x80000000).bytes() + following},
        {"key path",
         LogBuilder().word(NamedString).word(HKCU).word(0xFFFFFFFF).bytes() + following}};
    for (const auto& c : cases) {
        set("A", "i");
        resetLargestAllocation();
        replay(c.log);
        EXPECT_LT(largestAllocation(), size_t(1) << 20) << c.what;
        EXPECT_EQ(sz("i"), get("A")) << c.what;
    }
}

TEST_F(OldLog, RecordsNamingNoTrustedPlaceAreSkipped) {
    // A real open key of this process: its handle value must not be used.
    HKEY open = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Handle", &open));
    regSetString(HKEY_CURRENT_USER, "Software\\Handle\\Sub", "Name", "i");
    set("Name", "i");
    set("Kept", "i");
    replay(LogBuilder()
               .named(rootValue(open), "Sub", "Name", "i", "")
               .record(RequiredNamed, rootValue(open), {"Sub", "Added", "x"})
               .record(RequiredDefault, 0x80000007, {Old, "x"})
               .named(0, Old, "Kept", "i", "")
               .named(HKCU, std::string("Software\\Old\0\\Other", 19), "Kept", "i", "")
               .named(HKCU, Old, std::string("Kept\0x", 6), "i", "")
               .named(HKCU, Old, "Name", "i", "")
               .end()
               .bytes());
    RegCloseKey(open);
    EXPECT_TRUE(regValueExists(HKEY_CURRENT_USER, "Software\\Handle\\Sub", "Name"));
    EXPECT_FALSE(regValueExists(HKEY_CURRENT_USER, "Software\\Handle\\Sub", "Added"));
    EXPECT_EQ("<absent>", get(""));
    EXPECT_EQ(sz("i"), get("Kept"));
    EXPECT_EQ("<absent>", get("Name"));  // the replay went on
}

TEST_F(OldLog, LogHeldOpenElsewhereIsLeftAlone) {
    set("Name", "i");
    ASSERT_TRUE(writeFile(logPath(), LogBuilder().named(HKCU, Old, "Name", "i", "").bytes()));
    HANDLE held = CreateFileA(logPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    { KOldLogFile log(KString(dir.path().c_str())); }
    CloseHandle(held);
    EXPECT_EQ(sz("i"), get("Name"));
    EXPECT_TRUE(pathExists(logPath()));
}

TEST_F(OldLog, InstallStepReplaysTheLogOfTheTargetFolder) {
    set("Name", "i");
    writeFile(logPath(), LogBuilder().named(HKCU, Old, "Name", "i", "").bytes());
    InstallOptions options;
    options.folder = KString((" " + dir.path() + " ").c_str());
    Installer installer(options, nullptr, nullptr);
    installer.cleanUpPreviousVersion();
    EXPECT_EQ("<absent>", get("Name"));
    EXPECT_FALSE(pathExists(logPath()));
    installer.cleanUpPreviousVersion();  // nothing left to replay
}
