// The entry point of the installer.
#include <windows.h>

#include <new>

#include "app/InstallLog.h"
#include "app/InstallerRun.h"
#include "app/OutOfMemory.h"

namespace {

// Installers are started from download folders, where anyone may have left a
// DLL named like a system one. From here on, DLLs loaded at run time come
// from the system folder only. The call exists from Windows 8 (and Windows 7
// with its security update), so it is looked up rather than imported.
void restrictDllSearchPath() {
    const DWORD SearchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel)
        return;
    if (FARPROC found = GetProcAddress(kernel, "SetDefaultDllDirectories")) {
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(found))(
            SearchSystem32);
    } else if (FARPROC found = GetProcAddress(kernel, "SetDllDirectoryA")) {
        // Older systems: at least not the current folder.
        reinterpret_cast<SetDllDirectoryFunction>(reinterpret_cast<void*>(found))("");
    }
}

}  // namespace

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
