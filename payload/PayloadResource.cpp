#include "payload/PayloadResource.h"

#include <zlib.h>

bool loadPayloadResource(HMODULE module, const char* name, DWORD checksum, HGLOBAL& handle,
                         const BYTE*& data, DWORD& size) {
    HRSRC found = FindResourceA(module, name, "LORIMUND");
    if (!found)
        return false;
    DWORD bytes = SizeofResource(module, found);
    if (bytes == 0)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return false;
    const BYTE* locked = static_cast<const BYTE*>(LockResource(loaded));
    if (!locked || adler32(adler32(0L, Z_NULL, 0), locked, bytes) != checksum) {
        FreeResource(loaded);
        return false;
    }
    handle = loaded;
    data = locked;
    size = bytes;
    return true;
}
