// A plug-in step run on an isolated registry, with a target folder holding
// the new plug-in and a scratch folder for the browsers; and files held open
// without sharing by a second process, as a running browser holds its plug-in.
#ifndef LKP_TESTS_PLUGINS_PLUGINFIXTURE_H
#define LKP_TESTS_PLUGINS_PLUGINFIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "MessageBoxCatcher.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/Installer.h"

// Creates a folder with every missing level.
inline void makeFolder(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

inline std::string fileText(const std::string& path) {
    std::string bytes;
    return readFile(path, bytes) ? bytes : "<missing>";
}

inline DWORD valueCount(HKEY root, const std::string& key) {
    HKEY k;
    DWORD values = 0;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(k);
    return values;
}

class PluginStep : public ::testing::Test {
protected:
    PluginStep() {
        writeFile(target / "npmelko.dll", "new plug-in");
        // The install sequence has created the program key before any step.
        HKEY key;
        RegCreateKeyA(HKEY_CURRENT_USER, PlayerKey.chars(), &key);
        RegCloseKey(key);
    }

    std::string backupKey(const char* suffix = "") const {
        return std::string(PlayerKey.chars()) + "\\Backup\\Plugin" + suffix;
    }
    // The recorded path, or "<absent>".
    std::string record(const char* name, const char* suffix = "") const {
        std::string value;
        return regGetString(HKEY_CURRENT_USER, backupKey(suffix).c_str(), name, value) ? value
                                                                                       : "<absent>";
    }

    RegistrySandbox sandbox;
    TempFolder target, browsers;
    InstallOptions options = [this] {
        InstallOptions o;
        o.folder = KString(target.path().c_str());
        return o;
    }();
    Installer installer{options, nullptr, nullptr};
};

// Runs file_holder (beside the test program) on the files until release().
class HeldFiles {
public:
    explicit HeldFiles(const std::vector<std::string>& paths) {
        static int counter = 0;
        std::string name = "LkpHeld-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        held_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-held").c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-release").c_str());
        char own[MAX_PATH];
        GetModuleFileNameA(nullptr, own, MAX_PATH);
        std::string command = "\"" + std::string(own, strrchr(own, '\\') + 1) + "file_holder.exe\" " +
                              name + "-held " + name + "-release";
        for (const std::string& path : paths)
            command += " \"" + path + "\"";
        STARTUPINFOA startup = {sizeof startup};
        PROCESS_INFORMATION process;
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return;
        CloseHandle(process.hThread);
        process_ = process.hProcess;
        HANDLE either[] = {held_, process_};
        holding_ = WaitForMultipleObjects(2, either, FALSE, 60000) == WAIT_OBJECT_0;
    }
    ~HeldFiles() {
        release();
        CloseHandle(held_);
        CloseHandle(release_);
    }
    bool holding() const { return holding_; }
    void release() {  // returns once the files are closed
        if (process_) {
            SetEvent(release_);
            WaitForSingleObject(process_, 60000);
            CloseHandle(process_);
            process_ = nullptr;
        }
    }

private:
    HANDLE held_, release_, process_ = nullptr;
    bool holding_ = false;
};

#endif
