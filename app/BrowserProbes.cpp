// Which browsers are installed, judged by their executables' file versions.
#include "app/Probes.h"

#include <memory>

#include "app/Constants.h"
#include "base/KRegKey.h"

namespace {

typedef DWORD(WINAPI* GetFileVersionInfoSizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* GetFileVersionInfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* VerQueryValueFunction)(LPCVOID, LPCSTR, LPVOID*, PUINT);

template <typename Function>
Function lookUp(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The version library is loaded at run time, once the entry point has
// restricted where DLLs are looked for, so that no copy of it lying beside
// the downloaded installer is ever loaded.
class VersionLibrary {
public:
    VersionLibrary() : module_(LoadLibraryA("version.dll")) {
        if (module_ == nullptr)
            return;
        getSize = lookUp<GetFileVersionInfoSizeFunction>(module_, "GetFileVersionInfoSizeA");
        getInfo = lookUp<GetFileVersionInfoFunction>(module_, "GetFileVersionInfoA");
        queryValue = lookUp<VerQueryValueFunction>(module_, "VerQueryValueA");
    }
    ~VersionLibrary() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    bool usable() const { return getSize != nullptr && getInfo != nullptr && queryValue != nullptr; }

    GetFileVersionInfoSizeFunction getSize = nullptr;
    GetFileVersionInfoFunction getInfo = nullptr;
    VerQueryValueFunction queryValue = nullptr;

private:
    VersionLibrary(const VersionLibrary&) = delete;
    VersionLibrary& operator=(const VersionLibrary&) = delete;
    HMODULE module_;
};

bool isBrowserInstalled(const KString& appPathKey, WORD major, WORD minor) {
    KString path;
    try {
        KRegKey root(HKEY_LOCAL_MACHINE);
        KRegKey key(root, appPathKey.chars(), false);
        if (!key.readString(nullptr, path))
            return false;
    } catch (const KRegKey::EOpen&) {
        return false;
    }
    DWORD versionMS, versionLS;
    if (!fileExists(path.chars()) || !getFileVersion(path.chars(), versionMS, versionLS))
        return false;
    return isVersionAtLeast(versionMS, major, minor);
}

}  // namespace

bool isVersionAtLeast(DWORD versionMS, WORD major, WORD minor) {
    return versionMS >= MAKELONG(minor, major);
}

bool getFileVersion(const char* path, DWORD& versionMS, DWORD& versionLS) {
    VersionLibrary library;
    if (!library.usable())
        return false;
    DWORD handle = 0;
    DWORD size = library.getSize(path, &handle);
    if (size == 0)
        return false;
    std::unique_ptr<BYTE[]> block(new BYTE[size]);
    if (!library.getInfo(path, 0, size, block.get()))
        return false;
    void* value = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!library.queryValue(block.get(), root, &value, &length) || value == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return false;
    const VS_FIXEDFILEINFO* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    versionMS = info->dwFileVersionMS;
    versionLS = info->dwFileVersionLS;
    return true;
}

bool isNetscapeInstalled() {
    return isBrowserInstalled(NetscapeAppPathKey, 3, 0);
}

bool isIExplorerInstalled() {
    return isBrowserInstalled(IExploreAppPathKey, 4, 70);
}
