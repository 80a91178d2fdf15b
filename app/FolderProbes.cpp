// Probes of folders: path syntax, existence, and the folders the shell names.
#include "app/Probes.h"

#include <shlobj.h>

#include <cstring>

#include "app/Constants.h"
#include "base/KRegKey.h"

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isFolderNameChar(char c) {
    if (isAsciiLetter(c) || (c >= '0' && c <= '9'))
        return true;
    // The NUL terminator would match strchr, so it is excluded first.
    return c != '\0' && std::strchr(FolderNameChars.chars(), c) != nullptr;
}

}  // namespace

bool isValidFolderPath(const char* path) {
    if (path == nullptr)
        return false;
    size_t length = std::strlen(path);
    if (length < 2 || length > 255)
        return false;
    if (!isAsciiLetter(path[0]) || path[1] != ':')
        return false;
    if (length == 2)
        return true;
    if (path[2] != '\\')
        return false;
    for (size_t i = 3; i < length; ++i) {
        if (path[i] == '\\') {
            if (path[i - 1] == '\\')
                return false;
        } else if (!isFolderNameChar(path[i])) {
            return false;
        }
    }
    return true;
}

bool fileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool isPlainDirectory(const char* path) {
    return GetFileAttributesA(path) == FILE_ATTRIBUTE_DIRECTORY;
}

bool findQuickLaunchFolder(KString* folder) {
    KString path;
    try {
        KRegKey root(HKEY_CURRENT_USER);
        KRegKey key(root, MapGroupsKey.chars(), false);
        if (!key.readString("Quick Launch", path, MAX_PATH - 1))
            return false;
    } catch (const KRegKey::EOpen&) {
        return false;
    }
    trimAndEnsure(path);
    if (!isValidFolderPath(path.chars()) || !isPlainDirectory(path.chars()))
        return false;
    if (folder != nullptr)
        *folder = path;
    return true;
}

bool getDesktopFolder(KString& folder) {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &item)) || item == nullptr)
        return false;
    char* buffer = folder.getBuffer(MAX_PATH - 1);
    buffer[0] = '\0';
    BOOL converted = SHGetPathFromIDListA(item, buffer);
    CoTaskMemFree(item);
    if (!converted) {
        folder.releaseBuffer(0);
        return false;
    }
    folder.releaseBuffer();
    trimAndEnsure(folder);
    return true;
}

KString getProgramFilesFolder() {
    KString path;
    try {
        KRegKey root(HKEY_LOCAL_MACHINE);
        KRegKey key(root, CurrentVersionKey.chars(), false);
        key.readString("ProgramFilesDir", path, MAX_PATH - 1);
    } catch (const KRegKey::EOpen&) {
        path.clear();
    }
    path.trim();
    if (!isValidFolderPath(path.chars()))
        return KString("C:\\Program Files");
    stripTrailingBackslash(path);
    return path;
}
