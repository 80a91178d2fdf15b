/* Stand-in for the player's MIDI output libraries. One source builds all
   three; TONAL_VARIANT tells the copies apart, so each file has its own
   bytes and a test can see which one it holds. */
#include <windows.h>

#ifndef TONAL_VARIANT
#error TONAL_VARIANT must name the library, e.g. "tonal32"
#endif

static const char VariantName[] = TONAL_VARIANT " stand-in MIDI output library";

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}

__declspec(dllexport) const char *WINAPI TonalName(void)
{
    return VariantName;
}

/* Opening a device always fails: the stand-in plays nothing. */
__declspec(dllexport) int WINAPI TonalOpen(unsigned device)
{
    (void)device;
    return 0;
}

__declspec(dllexport) void WINAPI TonalClose(int handle)
{
    (void)handle;
}
