// Usage: file_holder HELD-EVENT RELEASE-EVENT PATH...
// Holds the files open without sharing, as a running browser holds its
// plug-in: sets HELD-EVENT once all are open, closes them when RELEASE-EVENT
// is set (or after a minute). Exit code 2: a file could not be opened.
#include <windows.h>

#include <vector>

int main(int argc, char** argv) {
    HANDLE held = argc < 4 ? nullptr : OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = argc < 4 ? nullptr : OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!held || !release)
        return 1;
    std::vector<HANDLE> files;
    for (int i = 3; i < argc; ++i) {
        files.push_back(CreateFileA(argv[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (files.back() == INVALID_HANDLE_VALUE)
            return 2;
    }
    SetEvent(held);
    WaitForSingleObject(release, 60000);
    for (HANDLE file : files)
        CloseHandle(file);
    return 0;
}
