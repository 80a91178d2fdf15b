// Whether a drive has room for the installation.
#include "app/Probes.h"

namespace {

typedef BOOL(WINAPI* GetDiskFreeSpaceExFunction)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                                  PULARGE_INTEGER);

}  // namespace

bool enoughFreeBytes(ULARGE_INTEGER freeBytes, DWORD bytes) {
    return freeBytes.HighPart != 0 || freeBytes.LowPart >= bytes;
}

bool enoughClusterBytes(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters,
                        DWORD bytes) {
    // In 64 bits: a 32-bit product wraps on a drive with 4 GB free and could
    // report a nearly empty one.
    unsigned long long freeBytes = static_cast<unsigned long long>(sectorsPerCluster) *
                                   bytesPerSector * freeClusters;
    return freeBytes >= bytes;
}

bool hasFreeDiskSpace(char driveLetter, DWORD bytes) {
    char root[] = "?:\\";
    root[0] = driveLetter;

    // Looked up by name: the first releases of Windows 95 lack the call.
    bool answered = false;
    bool enough = false;
    HMODULE kernel = LoadLibraryA("KERNEL32");
    if (kernel != nullptr) {
        GetDiskFreeSpaceExFunction getFreeSpaceEx = reinterpret_cast<GetDiskFreeSpaceExFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
        ULARGE_INTEGER available, total, totalFree;
        if (getFreeSpaceEx != nullptr && getFreeSpaceEx(root, &available, &total, &totalFree)) {
            answered = true;
            enough = enoughFreeBytes(available, bytes);
        }
        FreeLibrary(kernel);
    }
    if (answered)
        return enough;

    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return false;
    return enoughClusterBytes(sectorsPerCluster, bytesPerSector, freeClusters, bytes);
}
