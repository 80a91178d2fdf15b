// Builds uninstall logs of the earlier version byte by byte, and registry
// helpers for the values they name.
#ifndef LKP_TESTS_OLDLOG_LOGBUILDER_H
#define LKP_TESTS_OLDLOG_LOGBUILDER_H

#include <windows.h>

#include <string>
#include <vector>

enum : DWORD { DefaultString = 0x100, NamedString, NamedBinary, RequiredDefault, RequiredNamed };

// The 32-bit value a log stores for a root (any handle, for foreign roots).
inline DWORD rootValue(HKEY root) { return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(root)); }

class LogBuilder {
public:
    explicit LogBuilder(DWORD version = 202, const std::string& magic = "MkUN") : bytes_(magic) {
        word(version);
    }
    LogBuilder& word(DWORD w) {
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>((w >> (8 * i)) & 0xFF);
        return *this;
    }
    LogBuilder& text(const std::string& s) {
        word(static_cast<DWORD>(s.size()));
        bytes_ += s;
        return *this;
    }
    // A registry record: its type, its root, then key path, name and values
    // as the type has them (binary blocks are counted like texts).
    LogBuilder& record(DWORD type, DWORD root, const std::vector<std::string>& texts) {
        word(type).word(root);
        for (const std::string& s : texts)
            text(s);
        return *this;
    }
    LogBuilder& named(DWORD root, const std::string& key, const std::string& name,
                      const std::string& installed, const std::string& previous) {
        return record(NamedString, root, {key, name, installed, previous});
    }
    LogBuilder& file(const std::string& path) { return word(0x110).text(path); }
    LogBuilder& end() { return word(0); }
    const std::string& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

inline void regSetBinary(HKEY root, const char* key, const char* name, const std::string& data) {
    HKEY k;
    if (RegCreateKeyA(root, key, &k) != ERROR_SUCCESS)
        return;
    RegSetValueExA(k, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(k);
}

// The data of any value type, or "<absent>".
inline std::string regGetRaw(HKEY root, const char* key, const char* name) {
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return "<absent>";
    char buffer[4096];
    DWORD size = sizeof buffer;
    LONG r = RegQueryValueExA(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(k);
    return r == ERROR_SUCCESS ? std::string(buffer, size) : "<absent>";
}

#endif
