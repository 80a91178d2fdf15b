// Loading the checked resources of type LORIMUND and inflating them to files.
#ifndef LKP_PAYLOAD_PAYLOADRESOURCE_H
#define LKP_PAYLOAD_PAYLOADRESOURCE_H

#include <windows.h>

// Finds, loads and locks a LORIMUND resource whose Adler-32 must equal
// checksum. On success the caller frees handle; on failure nothing stays loaded.
bool loadPayloadResource(HMODULE module, const char* name, DWORD checksum, HGLOBAL& handle,
                         const BYTE*& data, DWORD& size);

// Inflates one zlib stream into a new file at path with the given last-write
// time. The written bytes must have the Adler-32 checksum; on any failure no
// file is left at path (unless it could not be created in the first place).
bool inflateToFile(const BYTE* data, DWORD size, const char* path, const FILETIME& time,
                   DWORD checksum);

#endif
