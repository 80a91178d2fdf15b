// The entry point of the installer.
#include <windows.h>

#include <new>

#include "app/OutOfMemory.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::set_new_handler(outOfMemoryHandler);
    try {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
