#include "app/Installer.h"

// Lists the player among the installed programs.
void Installer::registerUninstall() {}
