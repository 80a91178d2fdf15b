// A plug-in step run on an isolated registry, with a target folder holding
// the new plug-in and a scratch folder for the browsers.
#ifndef LKP_TESTS_PLUGINS_PLUGINFIXTURE_H
#define LKP_TESTS_PLUGINS_PLUGINFIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

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
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return 0;
    DWORD values = 0;
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

    static InstallOptions optionsFor(const TempFolder& folder) {
        InstallOptions options;
        options.folder = KString(folder.path().c_str());
        return options;
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
    InstallOptions options = optionsFor(target);
    Installer installer{options, nullptr, nullptr};
};

#endif
