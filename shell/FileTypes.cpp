#include "app/Installer.h"

#include <shlobj.h>

#include "base/KRegKey.h"
#include "shell/FileTypes.h"
#include "shell/ProgramKey.h"

namespace {

// The player re-registers its file types at its next start unless the user
// turned that off (a present 0).
void requestReregistration() {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey setup(user, programKeyPath(SetupSuffix).chars(), true);
        DWORD value = 0;
        if (!setup.readDword(ReregisterFiletypesValue, value) || value != 0)
            setup.writeDword(ReregisterFiletypesValue, 1);
    } catch (const KRegKey::E&) {
    }
}

}  // namespace

// Makes the player the handler of the chosen file types and gives back the
// ones it had taken that are no longer chosen.
void Installer::registerFileTypes() {
    migrateFileTypeRecords();
    buildPlayerFileClass(folder_);
    if (options_.associateMid)
        removeMidFromWinamp();

    const struct {
        const char* extension;
        bool chosen;
    } types[] = {
        {".mid", options_.associateMid},
        {".midi", options_.associateMidi},
        {".kar", options_.associateKar},
        {".rmi", options_.associateRmi},
    };
    for (const auto& type : types) {
        bool players = isPlayerFileType(type.extension);
        if (type.chosen && !players)
            associateFileType(type.extension);
        else if (!type.chosen && players)
            restoreFileType(type.extension);
    }

    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    requestReregistration();
}
