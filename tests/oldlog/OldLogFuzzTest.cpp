// Replays thousands of damaged logs against an isolated registry: no crash,
// no hang, nothing touched outside the keys and files the log names, and the
// log is gone after every replay.
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
const char* const LogKeys[] = {"Fz\\A", "Fz\\A\\B", "Fz\\C", "Fz\\New", "Fz\\New\\Deep"};
const char* const Names[] = {"N0", "N1", "Missing"};
const char* const Installed[] = {"i0", "i1", "d", "x"};
const char* const Binaries[] = {"\x01\x02\x03", "\x01\x02"};
const DWORD HugeWords[] = {0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 1025, 1024, 0x10000, 0x80000003};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return s;
}

void deleteTree(HKEY parent, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[1024];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        deleteTree(key, name);
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, path.c_str());
}

std::vector<std::string> subKeys(HKEY key) {
    std::vector<std::string> names;
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.push_back(std::string(name, size));
    }
}

void collectKeys(HKEY key, const std::string& prefix, std::vector<std::string>& out) {
    for (const std::string& name : subKeys(key)) {
        if (prefix.empty() && name == "Bystander")
            continue;
        std::string path = prefix.empty() ? name : prefix + "\\" + name;
        out.push_back(path);
        HKEY child;
        if (RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            collectKeys(child, path, out);
            RegCloseKey(child);
        }
    }
}

// Reads a log the way its format defines it and answers whether every file
// it names lies directly in the scratch folder and every registry root is
// one the sandbox redirects or none at all. Damaged logs that fail this are
// not replayed: they could delete a file or write a key this test cannot
// isolate.
class LogCheck {
public:
    LogCheck(const std::string& bytes, const std::string& folder) : bytes_(bytes), folder_(folder) {}

    bool safe() {
        if (bytes_.size() < 8)
            return true;
        at_ = 8;
        try {
            for (;;) {
                DWORD type = word();
                if (type == 0x110) {
                    if (!fileInFolder(text()))
                        return false;
                    continue;
                }
                if (type < 0x100 || type > 0x104)
                    return true;
                if (!sandboxedRoot(word()))
                    return false;
                int texts[] = {3, 4, 2, 2, 3};
                for (int i = 0; i < texts[type - 0x100]; ++i)
                    text();
                if (type == 0x102) {
                    DWORD installed = word();
                    if (installed == 0 || installed > 1024)
                        return true;
                    skip(installed);
                    DWORD previous = word();
                    if (previous > 1024)
                        return true;
                    skip(previous);
                }
            }
        } catch (int) {
            return true;  // the log ends here
        }
    }

private:
    static bool sandboxedRoot(DWORD root) { return root < 0x80000003 || root > 0x80000006; }

    bool fileInFolder(const std::string& path) const {
        std::string name = path.c_str();  // the part a file function would see
        if (lower(name.substr(0, folder_.size())) != lower(folder_))
            return false;
        name = name.substr(folder_.size());
        return !name.empty() &&
               std::all_of(name.begin(), name.end(), [](char c) { return isalnum((unsigned char)c); });
    }
    DWORD word() {
        if (at_ + 4 > bytes_.size())
            throw 0;
        DWORD w = 0;
        for (int i = 3; i >= 0; --i)
            w = (w << 8) | static_cast<BYTE>(bytes_[at_ + i]);
        at_ += 4;
        return w;
    }
    void skip(DWORD n) {
        if (at_ + n > bytes_.size())
            throw 0;
        at_ += n;
    }
    std::string text() {
        DWORD n = word();
        if (n > 1024)
            throw 0;
        skip(n);
        return bytes_.substr(at_ - n, n);
    }

    const std::string& bytes_;
    const std::string& folder_;
    size_t at_ = 0;
};

class Fuzzer {
public:
    Fuzzer(unsigned seed, DWORD foreignRoot, const std::string& folder)
        : random_(seed), foreignRoot_(foreignRoot), folder_(folder) {}

    // A well-formed log of a few records, then one to three kinds of damage.
    std::string nextLog() {
        LogBuilder log(pick({140u, 201u, 202u}));
        words_.clear();
        int records = 3 + number(8);
        for (int i = 0; i < records; ++i)
            record(log);
        if (number(4) != 0)
            log.end();
        std::string bytes = log.bytes();
        for (int damage = 1 + number(3); damage > 0 && !bytes.empty(); --damage) {
            switch (number(3)) {
            case 0:
                bytes[number(bytes.size())] ^= static_cast<char>(1 + number(255));
                break;
            case 1:
                bytes.resize(number(bytes.size()));
                break;
            default:
                if (!words_.empty()) {
                    size_t at = words_[number(words_.size())];
                    DWORD huge = HugeWords[number(sizeof HugeWords / sizeof *HugeWords)];
                    if (at + 4 <= bytes.size())
                        for (int b = 0; b < 4; ++b)
                            bytes[at + b] = static_cast<char>((huge >> (8 * b)) & 0xFF);
                }
            }
        }
        return bytes;
    }

private:
    size_t number(size_t below) { return std::uniform_int_distribution<size_t>(0, below - 1)(random_); }
    template <class T, size_t N>
    T pick(const T (&items)[N]) {
        return items[number(N)];
    }
    template <class T>
    T pick(std::initializer_list<T> items) {
        return items.begin()[number(items.size())];
    }

    DWORD root() {
        if (number(5) != 0)
            return rootValue(Roots[number(3)]);
        return pick<DWORD>({foreignRoot_, 0x80000007, 0, 0x12345678});
    }

    // Remembers where the next word starts, so that damage can hit counts.
    void mark(const LogBuilder& log) { words_.push_back(log.size()); }

    void record(LogBuilder& log) {
        std::string key = pick(LogKeys), name = pick(Names);
        mark(log);
        switch (number(6)) {
        case 0:
            log.defaultString(root(), key, pick({"d", "x"}), pick({"", "p"}));
            break;
        case 1:
            log.namedString(root(), key, name, pick(Installed), pick({"", "p"}));
            break;
        case 2:
            log.binary(root(), key, "Bin", pick(Binaries), pick({"", "\x09"}));
            break;
        case 3:
            log.requiredDefault(root(), key, "r");
            break;
        case 4:
            log.requiredNamed(root(), key, name, "r");
            break;
        default:
            log.file(folder_ + "f" + std::to_string(number(4)));
        }
        // Also the root and the first count of the record.
        words_.push_back(words_.back() + 4);
        words_.push_back(words_.back() + 4);
    }

    std::mt19937 random_;
    DWORD foreignRoot_;
    std::string folder_;
    std::vector<size_t> words_;
};

void seedRegistry() {
    for (HKEY root : Roots) {
        for (const std::string& key : subKeys(root))
            if (key != "Bystander")
                deleteTree(root, key);
        for (const char* path : SeedKeys) {
            HKEY key;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(root, path, &key));
            RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("d"), 2);
            RegSetValueExA(key, "N0", 0, REG_SZ, reinterpret_cast<const BYTE*>("i0"), 3);
            RegSetValueExA(key, "N1", 0, REG_SZ, reinterpret_cast<const BYTE*>("i1"), 3);
            RegSetValueExA(key, "Bin", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\x01\x02\x03"), 3);
            RegCloseKey(key);
        }
    }
}

void expectBystandersUntouched() {
    for (HKEY root : Roots) {
        std::string keep;
        EXPECT_TRUE(regGetString(root, "Bystander\\Deep", "Keep", keep));
        EXPECT_EQ("safe", keep);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root, "Bystander", 0, KEY_READ, &key));
        DWORD keys = 0, values = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_EQ(1u, keys);
        EXPECT_EQ(0u, values);
    }
}

class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path) {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        SetCurrentDirectoryA(path.c_str());
    }
    ~WorkingDirectory() { SetCurrentDirectoryA(previous_); }

private:
    char previous_[MAX_PATH];
};

bool namedOrSeeded(const std::string& path, const std::string& namedLower) {
    for (const char* seeded : SeedKeys)
        if (path == seeded)
            return true;
    return namedLower.find(lower(path)) != std::string::npos;
}

}  // namespace

TEST(OldLogFuzz, DamagedLogsStayInsideWhatTheyName) {
    RegistrySandbox sandbox;
    TempFolder target, files, cwd;
    WorkingDirectory inCwd(cwd.path());  // where a damaged relative path would point

    for (HKEY root : Roots)
        ASSERT_TRUE(regSetString(root, "Bystander\\Deep", "Keep", "safe"));
    HKEY bystander;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, "Bystander", 0, KEY_ALL_ACCESS, &bystander));
    writeFile(cwd / "f0", "cwd");
    writeFile(files / "keep.txt", "keep");

    const std::string logPath = target / "mkremove.log";
    const KString folder(target.path().c_str());
    Fuzzer fuzzer(20240611, rootValue(bystander), files.path());
    // Logs are replayed in batches on one seeded state; the checks after a
    // batch accept any key that one of its logs names.
    const int Batches = 375, BatchSize = 8;
    int replayed = 0, refused = 0;
    for (int batch = 0; batch < Batches && !HasFailure(); ++batch) {
        seedRegistry();
        for (int f = 0; f < 4; ++f)
            writeFile(files / ("f" + std::to_string(f)), "old");
        std::string named;
        for (int i = 0; i < BatchSize; ++i) {
            std::string log = fuzzer.nextLog();
            if (!LogCheck(log, files.path()).safe()) {
                ++refused;
                continue;
            }
            ASSERT_TRUE(writeFile(logPath, log));
            { KOldLogFile replay(folder); }
            ++replayed;
            EXPECT_FALSE(pathExists(logPath)) << "batch " << batch << ", log " << i;
            named += lower(log);
        }
        EXPECT_TRUE(pathExists(files / "keep.txt")) << "batch " << batch;
        EXPECT_TRUE(pathExists(cwd / "f0")) << "batch " << batch;
        expectBystandersUntouched();
        for (HKEY root : Roots) {
            std::vector<std::string> keys;
            collectKeys(root, "", keys);
            for (const std::string& key : keys)
                EXPECT_TRUE(namedOrSeeded(key, named)) << "batch " << batch << ": " << key;
        }
    }
    RegCloseKey(bystander);
    EXPECT_GT(replayed, 2500) << refused << " refused";
}
