#include "shell/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

// The shell link class, spelt out here rather than taken from the import
// library of GUIDs, which would put all of its 40 KB into the installer.
const CLSID ShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

bool createShellLink(const char* linkPath, const char* description, const char* targetPath) {
    HRESULT init = CoInitialize(nullptr);
    if (init != S_OK && init != S_FALSE)
        return false;

    bool saved = false;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->SetPath(targetPath)) && SUCCEEDED(link->SetDescription(description)) &&
        SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MaxLinkPathUnits];
        int needed = MultiByteToWideChar(CP_ACP, 0, linkPath, -1, nullptr, 0);
        if (needed > 0 && needed < MaxLinkPathUnits &&
            MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, needed) == needed)
            saved = file->Save(wide, TRUE) == S_OK;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return saved;
}
