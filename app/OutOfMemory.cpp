#include "app/OutOfMemory.h"

#include <windows.h>

#include "app/MessageBoxes.h"

void outOfMemoryHandler() {
    showMessageBox(nullptr, "Out of memory.", "Irrecoverable error", MB_ICONERROR);
    throw OutOfMemory();
}
