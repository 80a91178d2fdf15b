#include "Scenario.h"

#include <gtest/gtest.h>

const char* const InstallerExe = LKP_INSTALLER_EXE;
const char* const LicenseFile = LKP_LICENSE_FILE;
const char* const DefaultFolder = "C:\\Program Files\\Lorimund's Karaoke Player";

namespace {

const char* const PayloadFiles[] = {
    "npmelko.dll", "melko.exe",   "tonal32.dll", "tonal95.dll", "tonal16.dll", "basic.lyt",
    "melko.hlp",   "remove.exe",  "backdrop.bmp", "sample1.kar", "sample2.kar", "sample3.mid",
    "sample4.mid", "sample5.mid", "sample6.mid", "sample7.mid", "sample8.kar"};

void untickIfSet(const Wizard& wizard, int control) {
    if (wizard.isChecked(control)) {
        wizard.click(control);
        EXPECT_TRUE(waitUntil([&] { return !wizard.isChecked(control); })) << control;
    }
}

std::string imagePath(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return "";
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, path, &size))
        path[0] = 0;
    CloseHandle(process);
    return path;
}

}  // namespace

void chooseOnlyMidiFiles(const Wizard& wizard) {
    untickIfSet(wizard, 1013);  // desktop shortcut
    untickIfSet(wizard, 1014);  // Quick Launch shortcut
    wizard.press(NextButton);
    ASSERT_TRUE(wizard.waitForPage(FileTypesPage));
    for (int control : {1015, 1016, 1019, 1020})  // .kar, .rmi, the two plug-ins
        untickIfSet(wizard, control);
    EXPECT_TRUE(wizard.isChecked(1017));
    EXPECT_TRUE(wizard.isChecked(1018));
    wizard.press(NextButton);
}

void expectInstalledIn(const std::string& folder) {
    for (const char* name : PayloadFiles) {
        std::string installed = folder + "\\" + name;
        ASSERT_TRUE(isFile(installed)) << installed;
        EXPECT_TRUE(readWholeFile(installed) ==
                    readWholeFile(std::string(LKP_PAYLOAD_FILES_DIR) + "\\" + name))
            << name << " differs from the payload";
    }
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER,
                                           "SOFTWARE\\Lorimund\\Lorimund's MIDI Player", 0,
                                           KEY_READ, &key));
    RegCloseKey(key);
    char uninstall[MAX_PATH] = "";
    DWORD size = sizeof(uninstall);
    EXPECT_EQ(ERROR_SUCCESS,
              RegGetValueA(HKEY_LOCAL_MACHINE,
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko",
                           "UninstallString", RRF_RT_REG_SZ, nullptr, uninstall, &size));
    EXPECT_EQ(folder + "\\remove.exe", uninstall);
}

HWND waitForPlayerWindow(const std::string& folder) {
    const std::string expected = folder + "\\melko.exe";
    HWND player = nullptr;
    waitUntil(
        [&] {
            player = FindWindowA(nullptr, "Lorimund's Karaoke Player");
            return player && lstrcmpiA(imagePath(player).c_str(), expected.c_str()) == 0;
        },
        60000);
    return player && lstrcmpiA(imagePath(player).c_str(), expected.c_str()) == 0 ? player
                                                                                  : nullptr;
}

bool closePlayer(HWND player) {
    DWORD processId = 0;
    GetWindowThreadProcessId(player, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(player, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 30000) == WAIT_OBJECT_0;
    if (process)
        CloseHandle(process);
    return ended;
}
