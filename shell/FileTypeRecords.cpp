#include "base/KRegKey.h"
#include "shell/FileTypes.h"
#include "shell/ProgramKey.h"

const char* const PlayerExtensions[PlayerExtensionCount] = {".mid", ".midi", ".kar", ".rmi"};

namespace {

// An earlier installation marked a registered extension by an empty key
// "Setup\<ext>" and kept the replaced class under "Backup\Filetypes\<ext>".
void migrateRecord(const char* extension) {
    KRegKey user(HKEY_CURRENT_USER);
    KRegKey record(user, programKeyPath(FiletypeSuffix, extension).chars(), true);
    KString marker = programKeyPath(SetupSuffix, "\\") + extension;
    if (!user.subKeyExists(marker.chars()))
        return;
    record.writeDword(RegisterValue, 1);
    // Without its partner the marker stays: it is all that is known.
    KRegKey backup(user, (programKeyPath(BackupFiletypesSuffix, "\\") + extension).chars(), false);
    saveStringRecord(backup, "", record, DefaultValueValue);
    DWORD existed = 0;
    if (backup.readDword(ExistedBeforeValue, existed))
        record.writeDword(ExistedBeforeValue, existed);
    RegDeleteKeyA(HKEY_CURRENT_USER, marker.chars());
}

}  // namespace

void migrateFileTypeRecords() {
    for (const char* extension : PlayerExtensions) {
        try {
            migrateRecord(extension);
        } catch (const KRegKey::E&) {
            // A missing or unwritable key ends the work on this extension only.
        }
    }
    KRegKey user(HKEY_CURRENT_USER);
    user.deleteSubKeyTree(programKeyPath(BackupFiletypesSuffix).chars());
}
