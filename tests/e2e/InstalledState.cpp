#include "InstalledState.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "Expectations.h"
#include "MachineState.h"

namespace {

// A shortcut by what it points at: its bytes hold the target's file times.
std::string shortcut(const std::string& path) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return path + " unreadable";
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char target[MAX_PATH] = "", description[MAX_PATH] = "";
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide, STGM_READ))) {
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetDescription(description, MAX_PATH);
    }
    if (file)
        file->Release();
    link->Release();
    return path + " to " + target + " (" + description + ")";
}

std::string shortcuts(const std::string& folder) {
    std::vector<std::string> lines;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            lines.push_back(shortcut(folder + "\\" + found.cFileName));
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string specialFolder(int id) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, id, nullptr, 0, path);
    return path;
}

}  // namespace

std::string installedState(const std::string& programFolder) {
    CoInitialize(nullptr);
    std::string out = registryPicture(HKEY_CURRENT_USER, "HKCU", "SOFTWARE\\Lorimund");
    const std::string currentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
    for (const char* key : {"Uninstall\\Melko", "App Paths\\Melko.exe"})
        out += registryPicture(HKEY_LOCAL_MACHINE, "HKLM", currentVersion + key);
    for (const char* key : {"Plugins", "EmbedExtnToClsidMappings"})
        out += registryPicture(HKEY_LOCAL_MACHINE, "HKLM",
                               std::string("SOFTWARE\\Microsoft\\Internet Explorer\\") + key);
    for (const char* key : {"Lorimund.MIDI", ".mid", ".midi", ".kar", ".rmi"})
        out += registryPicture(HKEY_CLASSES_ROOT, "HKCR", key);
    for (const char* type : {"audio/mid", "audio/midi", "audio/x-mid", "audio/x-midi", "audio/rmi",
                             "audio/kar", "audio/x-kar", "midi/mid", "midi/kar"})
        out += registryPicture(HKEY_CLASSES_ROOT, "HKCR",
                               std::string("MIME\\Database\\Content Type\\") + type);
    out += folderPicture(programFolder + "\\");
    out += folderPicture(iePluginsFolder() + "\\");
    out += shortcuts(specialFolder(CSIDL_DESKTOPDIRECTORY));
    out += shortcuts(specialFolder(CSIDL_PROGRAMS) + "\\Lorimund's Karaoke Player");
    CoUninitialize();
    return out;
}
