#include "app/Installer.h"

// Rebuilds the start-menu program group.
void Installer::createProgramGroups() {}
