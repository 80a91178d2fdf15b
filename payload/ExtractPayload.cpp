#include "app/Constants.h"
#include "app/Installer.h"
#include "payload/PayloadEntry.h"
#include "payload/PayloadResource.h"

bool Installer::extractPayload() {
    return extractPayload(PayloadManifest);
}

bool Installer::extractPayload(const PayloadEntry* manifest) {
    // Files of earlier versions that would otherwise linger beside the new ones.
    DeleteFileA((folder_ + "oldtonal.dll").chars());
    DeleteFileA((folder_ + "remove.log").chars());

    for (const PayloadEntry* entry = manifest; entry->resourceName[0] != '\0'; ++entry) {
        HGLOBAL resource;
        const BYTE* data;
        DWORD size;
        // The fields are NUL-padded, not necessarily NUL-terminated.
        KString resourceName(entry->resourceName, static_cast<int>(strnlen(entry->resourceName, sizeof entry->resourceName)));
        if (!loadPayloadResource(module_, resourceName.chars(), entry->resourceChecksum, resource,
                                 data, size)) {
            KString text("This installation archive appears to be corrupt.  Please try downloading\n"
                         "Lorimund's MIDI Player from ");
            text += ProductWebSite;
            text += '.';
            failure_ = ExitArchiveDamaged;
            showMessage(text.chars(), "Installation Archive Error", MB_ICONERROR);
            return false;
        }
        KString path = folder_ + KString(entry->fileName, static_cast<int>(strnlen(entry->fileName, sizeof entry->fileName)));
        bool copied = inflateToFile(data, size, path.chars(), entry->fileTime, entry->fileChecksum);
        FreeResource(resource);
        if (!copied) {
            KString text;
            text.format("Fatal error: could not copy %s.", path.chars());
            failure_ = ExitFileNotWritten;
            showMessage(text.chars(), "File copy error", MB_ICONERROR);
            return false;
        }
    }
    return true;
}
