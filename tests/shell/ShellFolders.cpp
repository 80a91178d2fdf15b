#include "ShellFolders.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

const char* const UserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::string withoutBackslash(const std::string& folder) {
    return folder.substr(0, folder.size() - 1);
}

}  // namespace

ShellFolders::ShellFolders() {
    for (const std::string* folder : {&desktop, &programs, &quickLaunch, &program})
        CreateDirectoryA(folder->c_str(), nullptr);
    regSetString(HKEY_CURRENT_USER, UserShellFolders, "Desktop", withoutBackslash(desktop).c_str());
    regSetString(HKEY_CURRENT_USER, UserShellFolders, "Programs",
                 withoutBackslash(programs).c_str());
    setQuickLaunch(withoutBackslash(quickLaunch));
}

void ShellFolders::setQuickLaunch(const std::string& folder) {
    regSetString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups",
                 "Quick Launch", folder.c_str());
}

bool makeFolderReadOnly(const std::string& folder) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(folder.begin(), folder.end());
    char* unixPath = toUnix ? toUnix(wide.c_str()) : nullptr;
    if (!unixPath)
        return false;
    std::string command = std::string("chmod 555 \"") + unixPath + "\"";
    HeapFree(GetProcessHeap(), 0, unixPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA("Z:\\bin\\chmod", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a host program does not wait for it: watch the result.
    for (int tries = 0; tries < 200; ++tries) {
        DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return true;
        Sleep(50);
    }
    return false;
}

bool readLink(const std::string& path, std::string& target, std::string& description) {
    CoInitialize(nullptr);
    bool loaded = false;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    std::wstring wide(path.begin(), path.end());
    char buffer[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        target = buffer;
        loaded = SUCCEEDED(link->GetDescription(buffer, MAX_PATH));
        description = buffer;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return loaded;
}
