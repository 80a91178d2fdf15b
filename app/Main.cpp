// The entry point of the installer.
#include <windows.h>
#include <commctrl.h>

#include <new>

#include "app/DllSearchPath.h"
#include "app/InstallWizard.h"
#include "app/OutOfMemory.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    restrictDllSearchPath();
    std::set_new_handler(outOfMemoryHandler);
    try {
        INITCOMMONCONTROLSEX controls;
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_TAB_CLASSES | ICC_PROGRESS_CLASS;
        InitCommonControlsEx(&controls);
        InstallWizard wizard(instance, nullptr, 118);
        wizard.run(0);
    } catch (const std::bad_alloc&) {
        // The handler has told the user; whatever was installed stays.
    }
    return 0;
}
