#include "payload/PayloadResource.h"

#include <zlib.h>

namespace {
const unsigned OutputBufferSize = 32768;
}

bool inflateToFile(const BYTE* data, DWORD size, const char* path, const FILETIME& time,
                   DWORD checksum) {
    uLong written = adler32(0L, Z_NULL, 0);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;

    z_stream stream = {};
    // A failed initialisation shows as a failed first inflate.
    inflateInit(&stream);
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = size;

    Bytef buffer[OutputBufferSize];
    int result;
    do {
        stream.next_out = buffer;
        stream.avail_out = OutputBufferSize;
        result = inflate(&stream, Z_NO_FLUSH);
        DWORD produced = OutputBufferSize - stream.avail_out;
        if (produced > 0) {
            DWORD done = 0;
            if (!WriteFile(file, buffer, produced, &done, nullptr) || done != produced) {
                result = Z_ERRNO;
                break;
            }
            written = adler32(written, buffer, produced);
        }
    } while (result == Z_OK);
    inflateEnd(&stream);

    if (result == Z_STREAM_END && written == checksum) {
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
        return true;
    }
    CloseHandle(file);
    DeleteFileA(path);
    return false;
}
