#include "RegistrySandbox.h"

#include <stdexcept>

namespace {

HKEY createKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create scratch key " + path);
    return key;
}

}  // namespace

void deleteRegistryTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[1024];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        deleteRegistryTree(key, name);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

RegistrySandbox::RegistrySandbox() {
    static int counter = 0;
    path_ = "Software\\LkpTestScratch\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    // A process that died in a test may have left a scratch tree under a
    // process id that Wine has handed out again.
    deleteRegistryTree(HKEY_CURRENT_USER, path_);
    // Opened before HKCU is redirected: the scratch keys live under the real one.
    currentUser_ = createKey(HKEY_CURRENT_USER, path_ + "\\HKCU");
    localMachine_ = createKey(HKEY_CURRENT_USER, path_ + "\\HKLM");
    classesRoot_ = createKey(HKEY_CURRENT_USER, path_ + "\\HKCR");
    RegOverridePredefKey(HKEY_CLASSES_ROOT, classesRoot_);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, localMachine_);
    RegOverridePredefKey(HKEY_CURRENT_USER, currentUser_);
}

RegistrySandbox::~RegistrySandbox() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(currentUser_);
    RegCloseKey(localMachine_);
    RegCloseKey(classesRoot_);
    deleteRegistryTree(HKEY_CURRENT_USER, path_);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LkpTestScratch");  // only when empty
}

bool regSetString(HKEY root, const char* key, const char* name, const char* value) {
    HKEY k;
    if (RegCreateKeyA(root, key, &k) != ERROR_SUCCESS)
        return false;
    bool ok = RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

bool regSetDword(HKEY root, const char* key, const char* name, DWORD value) {
    HKEY k;
    if (RegCreateKeyA(root, key, &k) != ERROR_SUCCESS)
        return false;
    bool ok = RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof value) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

bool regGetString(HKEY root, const char* key, const char* name, std::string& value) {
    char buffer[8192];
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    LONG r = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(k);
    if (r != ERROR_SUCCESS || type != REG_SZ)
        return false;
    buffer[size] = '\0';
    value = buffer;
    return true;
}

bool regGetDword(HKEY root, const char* key, const char* name, DWORD& value) {
    DWORD size = sizeof value;
    DWORD type = 0;
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    LONG r = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(k);
    return r == ERROR_SUCCESS && type == REG_DWORD;
}

std::string regText(HKEY root, const std::string& key, const char* name) {
    std::string value;
    if (regGetString(root, key.c_str(), name, value))
        return value;
    return regValueExists(root, key.c_str(), name) ? "<not REG_SZ>" : "-";
}

std::string regNumber(HKEY root, const std::string& key, const char* name) {
    DWORD value = 0;
    if (regGetDword(root, key.c_str(), name, value))
        return std::to_string(value);
    return regValueExists(root, key.c_str(), name) ? "<not REG_DWORD>" : "-";
}

bool regKeyExists(HKEY root, const char* key) {
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

bool regValueExists(HKEY root, const char* key, const char* name) {
    HKEY k;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    LONG r = RegQueryValueExA(k, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(k);
    return r == ERROR_SUCCESS;
}
