#include "InstalledState.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Expectations.h"
#include "TempFolder.h"

namespace {

const char* const ContentTypes = "MIME\\Database\\Content Type\\";

std::string hex(const BYTE* bytes, DWORD count) {
    std::string text;
    char pair[4];
    for (DWORD i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

void dumpKey(HKEY root, const std::string& rootName, const std::string& path, std::string& out) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out += "[" + rootName + "\\" + path + "]\n";
    std::vector<std::string> lines;
    char name[1024];
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, type = 0, dataSize = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::string value = std::string(*name ? name : "@") + " = ";
        if (type == REG_SZ)
            value += "sz:" + std::string(reinterpret_cast<char*>(data.data()), dataSize);
        else
            value += "type" + std::to_string(type) + ":" + hex(data.data(), dataSize);
        lines.push_back(value);
    }
    std::vector<std::string> subKeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subKeys.push_back(name);
    }
    RegCloseKey(key);
    std::sort(lines.begin(), lines.end());
    std::sort(subKeys.begin(), subKeys.end());
    for (const std::string& line : lines)
        out += line + "\n";
    for (const std::string& subKey : subKeys)
        dumpKey(root, rootName, path + "\\" + subKey, out);
}

std::string shortcut(const std::string& path) {
    std::string text = "link";
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return text + " unreadable";
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
    return text + " to " + target + " (" + description + ")";
}

void dumpFolder(const std::string& folder, std::string& out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> lines;
    do {
        std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::string path = folder + "\\" + name;
        if (name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".lnk") == 0) {
            lines.push_back(path + ": " + shortcut(path));
            continue;
        }
        std::string bytes;
        readFile(path, bytes);
        unsigned hash = 2166136261u;  // FNV-1a
        for (char c : bytes)
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        lines.push_back(path + ": " + std::to_string(bytes.size()) + " bytes, hash " +
                        std::to_string(hash));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines)
        out += line + "\n";
}

std::string specialFolder(int id) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, id, nullptr, 0, path);
    return path;
}

}  // namespace

std::string installedState(const std::string& programFolder) {
    CoInitialize(nullptr);
    std::string out;
    dumpKey(HKEY_CURRENT_USER, "HKCU", "SOFTWARE\\Lorimund", out);
    const std::string currentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
    for (const char* key : {"Uninstall\\Melko", "App Paths\\Melko.exe"})
        dumpKey(HKEY_LOCAL_MACHINE, "HKLM", currentVersion + key, out);
    for (const char* key : {"Plugins", "EmbedExtnToClsidMappings"})
        dumpKey(HKEY_LOCAL_MACHINE, "HKLM", std::string("SOFTWARE\\Microsoft\\Internet Explorer\\") + key,
                out);
    for (const char* key : {"Lorimund.MIDI", ".mid", ".midi", ".kar", ".rmi"})
        dumpKey(HKEY_CLASSES_ROOT, "HKCR", key, out);
    for (const char* type : {"audio/mid", "audio/midi", "audio/x-mid", "audio/x-midi", "audio/rmi",
                             "audio/kar", "audio/x-kar", "midi/mid", "midi/kar"})
        dumpKey(HKEY_CLASSES_ROOT, "HKCR", std::string(ContentTypes) + type, out);
    dumpFolder(programFolder, out);
    dumpFolder(specialFolder(CSIDL_DESKTOPDIRECTORY), out);
    dumpFolder(specialFolder(CSIDL_PROGRAMS) + "\\Lorimund's Karaoke Player", out);
    dumpFolder(iePluginsFolder(), out);
    CoUninitialize();
    return out;
}
