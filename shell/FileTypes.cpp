#include "app/Installer.h"

// Makes the player the handler of the chosen file types.
void Installer::registerFileTypes() {}
