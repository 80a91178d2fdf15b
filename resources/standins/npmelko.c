/* Stand-in for the browser plug-in library. It carries the three entry
   points a browser looks for, and each one declines, so a browser that loads
   it drops it cleanly instead of crashing. */
#include <windows.h>

#define PLUGIN_ERROR 1 /* the generic error code of the plug-in interface */

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}

__declspec(dllexport) short WINAPI NP_GetEntryPoints(void *functions)
{
    (void)functions;
    return PLUGIN_ERROR;
}

__declspec(dllexport) short WINAPI NP_Initialize(void *browserFunctions)
{
    (void)browserFunctions;
    return PLUGIN_ERROR;
}

__declspec(dllexport) short WINAPI NP_Shutdown(void)
{
    return 0;
}
