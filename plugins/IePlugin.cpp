#include "app/Installer.h"

// Copies the plug-in for Internet Explorer and clears its bindings.
void Installer::installIePlugin() {}
