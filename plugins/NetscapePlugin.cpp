#include "app/Installer.h"

// Copies the plug-in for every Netscape Navigator found.
void Installer::installNetscapePlugin() {}
