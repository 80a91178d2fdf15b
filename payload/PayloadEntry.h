// One row of the payload manifest: which resource becomes which file.
#ifndef LKP_PAYLOAD_PAYLOADENTRY_H
#define LKP_PAYLOAD_PAYLOADENTRY_H

#include <windows.h>

struct PayloadEntry {
    char resourceName[16];   // "IDR_00".., NUL-padded; a first byte of 0 ends the table
    char fileName[32];       // bare file name in the target folder, NUL-padded
    DWORD fileChecksum;      // Adler-32 of the uncompressed file (the stream's trailer)
    DWORD resourceChecksum;  // Adler-32 of every stored byte of the zlib stream
    FILETIME fileTime;       // last-write time given to the written file
};

// The manifest compiled into the installer, generated at build time from the
// payload folder; closed by an all-zero row.
extern const PayloadEntry PayloadManifest[];

// The payload's file names in manifest order: all that an installation writes
// into its folder, and all that uninstalling deletes from it. The uninstaller
// is a payload file itself, so it knows the names without the manifest.
const int PayloadFileCount = 17;
extern const char* const PayloadFileNames[PayloadFileCount];

// The licence agreement text: resource 120 of type LORIMUND, stored as is.
const int LicenseResourceId = 120;
extern const DWORD LicenseChecksum;

#endif
