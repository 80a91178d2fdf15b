#include "app/Installer.h"

// Replays and deletes the earlier version's uninstall log.
void Installer::cleanUpPreviousVersion() {}
