// Whether the player is running from the target folder, and whether a file
// is held open by another program.
#include "app/Probes.h"

#include <cstring>
#include <memory>
#include <new>

#include "app/Constants.h"
#include "app/InstallOptions.h"

namespace {

bool endsWith(const char* text, size_t length, const char* tail) {
    size_t tailLength = std::strlen(tail);
    return length >= tailLength && std::strcmp(text + length - tailLength, tail) == 0;
}

}  // namespace

bool isFileLocked(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    // Writing back the unchanged access time fails on a file that is mapped
    // as a running program's image.
    FILETIME accessed;
    bool locked = GetFileTime(file, nullptr, &accessed, nullptr) &&
                  !SetFileTime(file, nullptr, &accessed, nullptr);
    CloseHandle(file);
    return locked;
}

bool isPlayerWindowTitle(const char* title) {
    if (title == nullptr)
        return false;
    size_t length = std::strlen(title);
    if (length < 22)
        return false;
    return std::strcmp(title, "Lorimund's Karaoke Player") == 0 ||
           endsWith(title, length, " - Lorimund's Karaoke Player") ||
           std::strcmp(title, "Lorimund's MIDI Player") == 0 ||
           endsWith(title, length, " - Lorimund's MIDI Player");
}

BOOL CALLBACK playerWindowFilter(HWND window, LPARAM found) {
    // Sized by the title itself: a long song name must not cut off the
    // player's name at the end. No exception may leave this callback, so a
    // failed allocation just skips the window.
    int room = GetWindowTextLengthA(window);
    if (room < 22)
        return TRUE;
    std::unique_ptr<char[]> title(new (std::nothrow) char[room + 1]);
    if (!title)
        return TRUE;
    int got = GetWindowTextA(window, title.get(), room + 1);
    title[got > 0 ? got : 0] = '\0';
    if (!isPlayerWindowTitle(title.get()))
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool isPlayerRunning(const InstallOptions& options, bool& onlyLibrary) {
    return isPlayerRunning(options.folder, onlyLibrary);
}

bool isPlayerRunning(KString folder, bool& onlyLibrary) {
    bool found = false;
    EnumWindows(playerWindowFilter, reinterpret_cast<LPARAM>(&found));
    if (!found)
        return false;

    trimAndEnsure(folder);
    if (isFileLocked((folder + PlayerExeName).chars())) {
        onlyLibrary = false;
        return true;
    }
    static const char* const libraries[] = {"tonal32.dll", "tonal95.dll", "tonal16.dll"};
    for (const char* library : libraries) {
        if (isFileLocked((folder + library).chars())) {
            onlyLibrary = true;
            return true;
        }
    }
    return false;
}
