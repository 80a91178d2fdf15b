#include "AllocationWatch.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<size_t> largest{0};

}  // namespace

// Takes the place of the import of msvcrt's malloc for this program and
// passes every call on to it. No function-local static: its guard could
// allocate before the first call returns.
extern "C" void* malloc(size_t size) {
    using Malloc = void*(__cdecl*)(size_t);
    static Malloc crtMalloc;
    if (!crtMalloc)
        crtMalloc = reinterpret_cast<Malloc>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "malloc")));
    for (size_t seen = largest.load(); size > seen && !largest.compare_exchange_weak(seen, size);) {
    }
    return crtMalloc(size);
}

void resetLargestAllocation() { largest = 0; }

size_t largestAllocation() { return largest.load(); }
