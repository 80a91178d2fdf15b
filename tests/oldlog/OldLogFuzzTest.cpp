// Replays thousands of damaged logs against an isolated registry and scratch
// folders: no crash, no hang, no key made, no bystander touched and no file
// deleted that the logs do not name, not even in the current folder, and the
// log is gone after every replay. Damage keeps bit 7 of every byte and never
// touches a root word or a huge word it wrote, so no damaged record can name
// a root the sandbox does not redirect (0x80000003 to 0x80000006).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "LogBuilder.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "payload/KOldLogFile.h"

namespace {

const HKEY Roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
const char* const SeedKeys[] = {"Fz", "Fz\\A", "Fz\\A\\B", "Fz\\C"};

std::string lower(std::string s) {
    CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

void collectKeys(HKEY key, const std::string& prefix, std::vector<std::string>& out) {
    char name[1024];
    for (DWORD i = 0, size = sizeof name;
         RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof name) {
        out.push_back(prefix + name);
        HKEY child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            collectKeys(child, prefix + name + "\\", out);
            RegCloseKey(child);
        }
    }
}

// A counted string of the log as a damaged log may hold it, lower case.
std::string counted(const std::string& text) {
    return lower(LogBuilder().text(text).bytes().substr(8));
}

// Runs a test with the current folder elsewhere: where a file path that lost
// its folder would point.
struct CurrentFolder {
    explicit CurrentFolder(const std::string& path) {
        GetCurrentDirectoryA(MAX_PATH, previous);
        SetCurrentDirectoryA(path.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryA(previous); }
    char previous[MAX_PATH];
};

const char* const FileNames[] = {"f0", "f1", "f2", "f3", "keep.txt"};

// A well-formed log of a few records, then one to three kinds of damage. The
// file records name files f0 to f3 in files, or names beside them that a NUL
// byte would cut down to one of them.
std::string damagedLog(std::mt19937& random, DWORD foreignRoot, const std::string& files) {
    auto number = [&](size_t below) { return std::uniform_int_distribution<size_t>(0, below - 1)(random); };
    const DWORD versions[] = {140, 201, 202}, foreign[] = {foreignRoot, 0x80000007, 0, 0x12345678};
    const DWORD huge[] = {0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 1025, 1024, 0x10000};
    const char* const keys[] = {"Fz\\A", "Fz\\A\\B", "Fz\\C", "Fz\\New", "Fz\\New\\Deep"};
    const char* const names[] = {"", "N0", "N1", "Bin", "Missing"};
    const char* const values[] = {"", "d", "i0", "i1", "x", "p", "\x01\x02\x03"};
    LogBuilder log(versions[number(3)]);
    std::vector<size_t> words;  // types and first counts, where huge words go
    std::vector<bool> fixed;    // roots and huge words
    for (size_t records = 3 + number(8); records > 0; --records) {
        if (number(6) == 0) {
            words.insert(words.end(), {log.size(), log.size() + 4});
            log.file(files + FileNames[number(4)] + (number(2) ? "" : ".old"));
            continue;
        }
        DWORD type = DefaultString + static_cast<DWORD>(number(5));
        words.insert(words.end(), {log.size(), log.size() + 8});
        fixed.resize(log.size() + 8);
        std::fill(fixed.end() - 4, fixed.end(), true);
        log.word(type).word(number(5) ? 0x80000000 + static_cast<DWORD>(number(3)) : foreign[number(4)]);
        log.text(keys[number(5)]);
        if (type == NamedString || type == NamedBinary || type == RequiredNamed)
            log.text(names[number(5)]);
        for (int n = type < RequiredDefault ? 2 : 1; n > 0; --n)
            log.text(values[number(7)]);
    }
    if (number(4) != 0)
        log.end();
    std::string bytes = log.bytes();
    fixed.resize(bytes.size());
    for (size_t damage = 1 + number(3); damage > 0 && !bytes.empty(); --damage) {
        size_t at = number(bytes.size()), kind = number(4);
        if (kind == 0 && !fixed[at])
            bytes[at] ^= static_cast<char>(1 + number(127));
        else if (kind == 3 && !fixed[at])
            bytes[at] = '\0';
        else if (kind == 1)
            bytes.resize(at);
        else if (kind == 2 && (at = words[number(words.size())]) + 4 <= bytes.size())
            for (DWORD b = 0, w = huge[number(6)]; b < 4; ++b, w >>= 8)
                bytes[at + b] = static_cast<char>(w & 0xFF), fixed[at + b] = true;
    }
    return bytes;
}

}  // namespace

TEST(OldLogFuzz, DamagedLogsStayInsideWhatTheyName) {
    RegistrySandbox sandbox;
    TempFolder target, files, cwd;
    CurrentFolder inCwd(cwd.path());
    for (HKEY root : Roots)
        ASSERT_TRUE(regSetString(root, "Bystander\\Deep", "Keep", "safe"));
    HKEY bystander;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Bystander", 0, KEY_ALL_ACCESS, &bystander));
    std::mt19937 random(20240611);
    // 3000 logs in batches on one seeded state; the checks after a batch
    // accept any key that one of its logs names.
    for (int batch = 0; batch < 375 && !HasFailure(); ++batch) {
        for (HKEY root : Roots) {
            std::vector<std::string> keys;
            collectKeys(root, "", keys);
            for (const std::string& key : keys)
                if (key.find('\\') == std::string::npos && key != "Bystander")
                    deleteRegistryTree(root, key);
            for (const char* key : SeedKeys) {
                regSetString(root, key, "", "d");
                regSetString(root, key, "N0", "i0");
                regSetString(root, key, "N1", "i1");
                regSetBinary(root, key, "Bin", "\x01\x02\x03");
            }
        }
        for (const TempFolder* folder : {&files, &cwd})
            for (const char* name : FileNames)
                ASSERT_TRUE(writeFile(*folder / name, "old"));
        std::string named = "|fz|fz\\a|fz\\a\\b|fz\\c|bystander|bystander\\deep|";
        for (int i = 0; i < 8; ++i) {
            std::string log = damagedLog(random, rootValue(bystander), files.path());
            ASSERT_TRUE(writeFile(target / "mkremove.log", log));
            { KOldLogFile replay(KString(target.path().c_str())); }
            EXPECT_FALSE(pathExists(target / "mkremove.log")) << "batch " << batch << ", log " << i;
            named += lower(log);
        }
        for (HKEY root : Roots) {
            std::string keep;
            EXPECT_TRUE(regGetString(root, "Bystander\\Deep", "Keep", keep) && keep == "safe");
            HKEY key;
            DWORD values = 1;
            if (RegOpenKeyExA(root, "Bystander", 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                 nullptr, nullptr, nullptr, nullptr);
                RegCloseKey(key);
            }
            EXPECT_EQ(0u, values) << "batch " << batch;
            std::vector<std::string> keys;
            collectKeys(root, "", keys);
            for (const std::string& key : keys)
                EXPECT_NE(std::string::npos, named.find(lower(key))) << "batch " << batch << ": " << key;
        }
        // A file may go only where a log names its whole path.
        for (const TempFolder* folder : {&files, &cwd})
            for (const char* name : FileNames)
                EXPECT_TRUE(pathExists(*folder / name) ||
                            named.find(counted(*folder / name)) != std::string::npos)
                    << "batch " << batch << ": " << (*folder / name);
    }
    RegCloseKey(bystander);
}
