// Holds files open without sharing, as a running browser holds its plug-in,
// until the test releases them.
// Usage: file_holder HELD-EVENT RELEASE-EVENT PATH...
// Sets HELD-EVENT once every file is held, closes them all when
// RELEASE-EVENT is set (or after a minute) and exits. Exit code 2: a file
// could not be opened.
#include <windows.h>

#include <vector>

int main(int argc, char** argv) {
    if (argc < 4)
        return 1;
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!held || !release)
        return 1;
    std::vector<HANDLE> files;
    for (int i = 3; i < argc; ++i) {
        HANDLE file = CreateFileA(argv[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 2;
        files.push_back(file);
    }
    SetEvent(held);
    WaitForSingleObject(release, 60000);
    for (HANDLE file : files)
        CloseHandle(file);
    return 0;
}
