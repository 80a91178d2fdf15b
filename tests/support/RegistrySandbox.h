// Redirects HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT of this
// process into scratch keys for the life of the object, so that a test works
// on the real registry without touching anything another test can see.
#ifndef LKP_TESTS_REGISTRYSANDBOX_H
#define LKP_TESTS_REGISTRYSANDBOX_H

#include <windows.h>

#include <string>

class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();

    // Where the redirected roots really live (below the real HKCU).
    const std::string& scratchPath() const { return path_; }

private:
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    std::string path_;
    HKEY currentUser_ = nullptr;
    HKEY localMachine_ = nullptr;
    HKEY classesRoot_ = nullptr;
};

// Small helpers for tests that set up or inspect registry state directly.
bool regSetString(HKEY root, const char* key, const char* name, const char* value);
bool regSetDword(HKEY root, const char* key, const char* name, DWORD value);
bool regGetString(HKEY root, const char* key, const char* name, std::string& value);
bool regGetDword(HKEY root, const char* key, const char* name, DWORD& value);
// A value as the one type a test expects, for comparing with one string: the
// text of a REG_SZ, the number of a REG_DWORD in decimal; "-" when the value
// is missing, "<not REG_SZ>" or "<not REG_DWORD>" when it has another type.
std::string regText(HKEY root, const std::string& key, const char* name);
std::string regNumber(HKEY root, const std::string& key, const char* name);
bool regKeyExists(HKEY root, const char* key);
bool regValueExists(HKEY root, const char* key, const char* name);
// Deletes a key with every key below it.
void deleteRegistryTree(HKEY root, const std::string& path);

#endif
