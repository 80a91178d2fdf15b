#include "app/OutOfMemory.h"

#include <windows.h>

void outOfMemoryHandler() {
    MessageBoxA(nullptr, "Out of memory.", "Irrecoverable error", MB_ICONERROR);
    throw OutOfMemory();
}
