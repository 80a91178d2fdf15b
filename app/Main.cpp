// The entry point of the installer.
#include <windows.h>

#include <new>

#include "app/DllSearchPath.h"
#include "app/InstallLog.h"
#include "app/InstallerRun.h"
#include "app/OutOfMemory.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    restrictDllSearchPath();
    std::set_new_handler(outOfMemoryHandler);
    int code;
    try {
        code = runInstaller(instance, arguments);
    } catch (const std::bad_alloc&) {
        // The handler has told the user; whatever was installed stays.
        code = ExitOutOfMemory;
    }
    logExitCode(code);
    return code;
}
