#include "app/DllSearchPath.h"

#include <windows.h>

// The call exists from Windows 8 (and Windows 7 with its security update),
// so it is looked up rather than imported.
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
