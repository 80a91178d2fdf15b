#include "base/KRegKey.h"
#include "shell/FileTypes.h"
#include "shell/ProgramKey.h"

namespace {

KString recordPath(const char* extension) {
    return programKeyPath(FiletypeSuffix, extension);
}

// The extension stops naming the player's class; its other values and
// subkeys stay.
void removeClassName(const char* extension) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extension, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, "");
    RegCloseKey(key);
}

// An extension key that another program has since given subkeys cannot be
// deleted; it must at least stop naming the player's class.
void removeExtension(const char* extension) {
    if (RegDeleteKeyA(HKEY_CLASSES_ROOT, extension) != ERROR_SUCCESS)
        removeClassName(extension);
}

}  // namespace

bool isPlayerFileType(const char* extension) {
    // 20 bytes hold any spelling of the class name; longer values cannot match.
    char name[21] = {};
    LONG size = 20;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, extension, name, &size) != ERROR_SUCCESS)
        return false;
    return KString(name).compareNoCase(PlayerFileClass) == 0;
}

void associateFileType(const char* extension) {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey record(user, recordPath(extension).chars(), true);
        record.writeDword(RegisterValue, 1);
        KRegKey classes(HKEY_CLASSES_ROOT);
        try {
            KRegKey key(classes, extension, false);
            record.writeDword(ExistedBeforeValue, 1);
            saveStringRecord(key, "", record, DefaultValueValue);
            key.writeString("", PlayerFileClass);
        } catch (const KRegKey::EOpen&) {
            record.writeDword(ExistedBeforeValue, 0);
            KRegKey key(classes, extension, true);
            key.writeString("", PlayerFileClass);
        }
    } catch (const KRegKey::E&) {
        // Without a record the extension is left as it is.
    }
}

void restoreFileType(const char* extension) {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey record(user, recordPath(extension).chars(), false);
        DWORD registered = 0;
        DWORD existed = 0;
        KString old;
        bool keyWasThere = record.readDword(RegisterValue, registered) && registered != 0 &&
                           record.readDword(ExistedBeforeValue, existed) && existed != 0;
        if (keyWasThere && record.readString(DefaultValueValue, old, MaxRegString))
            RegSetValueA(HKEY_CLASSES_ROOT, extension, REG_SZ, old.chars(),
                         static_cast<DWORD>(old.length()) + 1);
        else if (keyWasThere)
            // It had no class name of its own, but other values (a content
            // type, say) that are not the installer's to delete.
            removeClassName(extension);
        else
            removeExtension(extension);
        record.writeDword(RegisterValue, 0);
        record.deleteValue(ExistedBeforeValue);
        record.deleteValue(DefaultValueValue);
    } catch (const KRegKey::E&) {
        // No record: the installer made the key, so it goes.
        removeExtension(extension);
    }
}
