#include "Expectations.h"

#include <gtest/gtest.h>

#include "Driver.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "payload/PayloadEntry.h"

const char* const DefaultFolder = "C:\\Program Files\\Lorimund's Karaoke Player";

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

std::string contentOf(const std::string& path) {
    std::string bytes;
    readFile(path, bytes);
    return bytes;
}

bool nothingInstalled() {
    return !pathExists(DefaultFolder) && !regKeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Lorimund");
}

void expectInstalledIn(const std::string& folder) {
    for (const char* name : PayloadFileNames) {
        std::string installed = folder + "\\" + name;
        ASSERT_TRUE(pathExists(installed)) << installed;
        EXPECT_TRUE(contentOf(installed) ==
                    contentOf(std::string(LKP_PAYLOAD_FILES_DIR) + "\\" + name))
            << name << " differs from the payload";
    }
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Lorimund\\Lorimund's MIDI Player"));
    std::string uninstall;
    EXPECT_TRUE(regGetString(HKEY_LOCAL_MACHINE,
                             "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko",
                             "UninstallString", uninstall));
    EXPECT_EQ(folder + "\\remove.exe", uninstall);
}

HWND waitForPlayerWindow(const std::string& folder, DWORD timeoutMs) {
    HWND player = nullptr;
    waitUntil(
        [&] {
            player = FindWindowA(nullptr, "Lorimund's Karaoke Player");
            DWORD id = 0;
            GetWindowThreadProcessId(player, &id);
            HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
            char path[MAX_PATH] = "";
            DWORD size = MAX_PATH;
            if (!process || !QueryFullProcessImageNameA(process, 0, path, &size) ||
                lstrcmpiA(path, (folder + "\\melko.exe").c_str()) != 0)
                player = nullptr;
            if (process)
                CloseHandle(process);
            return player != nullptr;
        },
        timeoutMs);
    return player;
}

bool closePlayer(HWND player) {
    DWORD id = 0;
    GetWindowThreadProcessId(player, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    PostMessageA(player, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 30000) == WAIT_OBJECT_0;
    if (process)
        CloseHandle(process);
    return ended;
}

std::string damagedCopy(const std::string& part, const std::string& name) {
    std::string image = contentOf(InstallerExe);
    size_t at = image.find(part);
    if (part.empty() || at == std::string::npos || image.find(part, at + 1) != std::string::npos)
        return "";
    image[at + part.size() - 1] ^= 1;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string damaged = std::string(temp) + name;
    return writeFile(damaged, image) ? damaged : "";
}

std::string iePluginsFolder() {
    std::string browser;
    regGetString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iexplore.exe", "",
                 browser);
    return browser.substr(0, browser.rfind('\\')) + "\\plugins";
}
