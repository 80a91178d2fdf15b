#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "app/Installer.h"

namespace {

const char* const CurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string Uninstall = std::string(CurrentVersion) + "\\Uninstall\\Melko";
const std::string AppPath = std::string(CurrentVersion) + "\\App Paths\\Melko.exe";
const char* const Layout = "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Layout";

std::string value(HKEY root, const std::string& key, const char* name) {
    std::string text = "-";
    regGetString(root, key.c_str(), name, text);
    return text;
}

void registerInto(const char* folder) {
    InstallOptions options;
    options.folder = folder;
    Installer(options, GetModuleHandleA(nullptr), nullptr).registerUninstall();
}

}  // namespace

TEST(UninstallRegistration, WritesBothEntriesForTheLatestFolder) {
    RegistrySandbox sandbox;
    regSetString(HKEY_LOCAL_MACHINE, Uninstall.c_str(), "Publisher", "Earlier");
    registerInto("D:\\Old");
    const std::string folder = "C:\\Program Files\\Lorimund's Karaoke Player";
    registerInto(folder.c_str());

    EXPECT_EQ("Lorimund's Karaoke Player", value(HKEY_LOCAL_MACHINE, Uninstall, "DisplayName"));
    EXPECT_EQ(folder + "\\remove.exe", value(HKEY_LOCAL_MACHINE, Uninstall, "UninstallString"));
    EXPECT_EQ("\"" + folder + "\\remove.exe\" /S",
              value(HKEY_LOCAL_MACHINE, Uninstall, "QuietUninstallString"));
    EXPECT_EQ("Earlier", value(HKEY_LOCAL_MACHINE, Uninstall, "Publisher"));
    EXPECT_EQ(folder + "\\Melko.exe", value(HKEY_LOCAL_MACHINE, AppPath, ""));
    EXPECT_EQ(folder, value(HKEY_LOCAL_MACHINE, AppPath, "Path"));
    // A later run proposes the same folder again.
    EXPECT_EQ(folder, InstallOptions().folder.chars());
}

TEST(UninstallRegistration, EachEntryStandsAlone) {
    RegistrySandbox sandbox;
    regSetString(HKEY_LOCAL_MACHINE, CurrentVersion, "ProgramFilesDir", "C:\\Program Files");
    HKEY current, uninstall;  // no non-volatile key can be created below a volatile one
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_LOCAL_MACHINE, CurrentVersion, &current));
    RegCreateKeyExA(current, "Uninstall", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &uninstall, nullptr);
    RegCloseKey(uninstall);
    RegCloseKey(current);
    registerInto("C:\\Karaoke");
    EXPECT_FALSE(regKeyExists(HKEY_LOCAL_MACHINE, Uninstall.c_str()));
    EXPECT_EQ("C:\\Karaoke\\Melko.exe", value(HKEY_LOCAL_MACHINE, AppPath, ""));
}

TEST(UninstallRegistration, TheLayoutIsRedirectedEvenWithoutTheSystemKey) {
    RegistrySandbox sandbox;
    registerInto("C:\\Karaoke\\");  // a missing layout setting stays missing
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, Layout));
    regSetString(HKEY_CURRENT_USER, Layout, "File", "D:\\Old\\basic.lyt");
    registerInto("C:\\Karaoke\\");
    EXPECT_FALSE(regKeyExists(HKEY_LOCAL_MACHINE, CurrentVersion));
    EXPECT_EQ("C:\\Karaoke\\basic.lyt", value(HKEY_CURRENT_USER, Layout, "File"));
}
