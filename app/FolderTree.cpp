#include "app/Installer.h"

#include "base/PathFunctions.h"

bool createFolderTree(KString path) {
    stripTrailingBackslash(path);
    if (CreateDirectoryA(path.chars(), nullptr))
        return true;
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return true;
    if (error != ERROR_PATH_NOT_FOUND)
        return false;
    int cut = path.reverseFind('\\');
    if (cut <= 0)
        return false;
    if (!createFolderTree(path.left(cut)))
        return false;
    return CreateDirectoryA(path.chars(), nullptr) != FALSE;
}
