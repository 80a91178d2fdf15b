#include "app/Installer.h"

// Carries over the earlier product's settings.
void Installer::importOldIniFile() {}

// Sets the karaoke window's character set on non-Western systems.
void Installer::setKaraokeCharSet() {}
