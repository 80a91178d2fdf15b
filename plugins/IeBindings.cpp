#include "plugins/IeBindings.h"

#include "app/Constants.h"
#include "base/KRegKey.h"
#include "shell/FileTypes.h"
#include "shell/ProgramKey.h"

const MimeBinding MimeBindings[MimeBindingCount] = {
    {"audio/mid", ".mid"},   {"audio/midi", ".mid"}, {"audio/x-mid", ".mid"},
    {"audio/x-midi", ".mid"}, {"audio/rmi", ".rmi"},  {"audio/kar", ".kar"},
    {"audio/x-kar", ".kar"}, {"midi/mid", ".mid"},   {"midi/kar", ".kar"},
};

const char* const ContentTypeKey = "MIME\\Database\\Content Type\\";
const char* const EmbedMappingsKey =
    "SOFTWARE\\Microsoft\\Internet Explorer\\EmbedExtnToClsidMappings\\";

namespace {

const char* const MimePluginsKey = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\MIME";
const char* const ExtensionPluginsKey =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension";

// Saves a mapping's control before the mapping goes; a mapping without one
// leaves no record, so that an earlier record stays.
void saveMapping(const KRegKey& mappings, const char* extension, KRegKey& backup) {
    try {
        KRegKey mapping(mappings, extension, false);
        saveStringRecord(mapping, "", backup, extension);
    } catch (const KRegKey::EOpen&) {
    }
}

}  // namespace

void clearMimeBindings() {
    try {
        KRegKey currentUser(HKEY_CURRENT_USER);
        KRegKey program(currentUser, PlayerKey.chars(), false);
        KRegKey backup(program, BackupPluginClsidKey, true);
        KRegKey classesRoot(HKEY_CLASSES_ROOT);
        for (const MimeBinding& mime : MimeBindings) {
            KRegKey entry(classesRoot, (KString(ContentTypeKey) + mime.type).chars(), true);
            entry.writeString("Extension", mime.extension);
            saveStringRecord(entry, "CLSID", backup, mime.type);
            entry.deleteValue("CLSID");
        }
        KRegKey localMachine(HKEY_LOCAL_MACHINE);
        KRegKey plugins(localMachine, MimePluginsKey, false);
        for (const MimeBinding& mime : MimeBindings)
            plugins.deleteSubKeyTree(mime.type);
    } catch (const KRegKey::E&) {
    }
}

void clearExtensionBindings() {
    try {
        KRegKey localMachine(HKEY_LOCAL_MACHINE);
        KRegKey mappings(localMachine, EmbedMappingsKey, false);
        KRegKey currentUser(HKEY_CURRENT_USER);
        KRegKey backup(currentUser, programKeyPath(BackupPluginEmbedSuffix).chars(), true);
        for (const char* extension : PlayerExtensions) {
            saveMapping(mappings, extension, backup);
            mappings.deleteSubKeyTree(extension);
        }
        KRegKey plugins(localMachine, ExtensionPluginsKey, false);
        for (const char* extension : PlayerExtensions)
            plugins.deleteSubKeyTree(extension);
    } catch (const KRegKey::E&) {
    }
}
