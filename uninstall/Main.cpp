// The entry point of the uninstaller, remove.exe.
#include <windows.h>

#include <new>

#include "app/DllSearchPath.h"
#include "app/OutOfMemory.h"
#include "base/KString.h"
#include "uninstall/UninstallRun.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    restrictDllSearchPath();
    // Started from the program folder, the current folder would be held open
    // and could not be removed.
    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        SetCurrentDirectoryA(system);
    // Says so in a box unless the run is silent, then throws.
    std::set_new_handler(outOfMemoryHandler);
    try {
        return runUninstaller(arguments);
    } catch (const std::bad_alloc&) {
        return ExitOutOfMemory;  // what was removed stays removed
    } catch (const KString::EOutOfMem&) {
        return ExitOutOfMemory;
    }
}
