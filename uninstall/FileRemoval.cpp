#include "uninstall/FileRemoval.h"

#include <windows.h>

Removal removeFileAt(const char* path) {
    if (DeleteFileA(path))
        return Removal::Removed;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Removal::Absent
                                                                              : Removal::Failed;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Removal::Absent;
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (DeleteFileA(path))
            return Removal::Removed;
        SetFileAttributesA(path, attributes);
    }
    return Removal::Failed;
}

namespace {

bool identify(const char* path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool isSameFile(const char* first, const char* second) {
    BY_HANDLE_FILE_INFORMATION a, b;
    return identify(first, a) && identify(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

bool removeRunningProgramFile(const char* path, bool& atRestart) {
    atRestart = false;
    char folder[MAX_PATH];
    char aside[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    // The unique name exists once made: the move replaces that empty file.
    if (length > 0 && length < MAX_PATH && GetTempFileNameA(folder, "lkp", 0, aside)) {
        if (MoveFileExA(path, aside, MOVEFILE_REPLACE_EXISTING)) {
            // Deleting it at the restart needs administrator rights; without
            // them it stays in the temporary folder, out of the way.
            MoveFileExA(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
            return true;
        }
        DeleteFileA(aside);
    }
    atRestart = MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
    return atRestart;
}
