#include "app/Installer.h"

#include "payload/KOldLogFile.h"

// Replays the earlier version's uninstall log and deletes it.
void Installer::cleanUpPreviousVersion() {
    KOldLogFile log(folder_);
}
