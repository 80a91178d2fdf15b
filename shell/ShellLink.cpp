#include "shell/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

bool createShellLink(const char* linkPath, const char* description, const char* targetPath) {
    HRESULT init = CoInitialize(nullptr);
    if (init != S_OK && init != S_FALSE)
        return false;

    bool saved = false;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->SetPath(targetPath)) && SUCCEEDED(link->SetDescription(description)) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
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
