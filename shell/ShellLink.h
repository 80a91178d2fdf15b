// Shortcut files, written through the shell's link object.
#ifndef LKP_SHELL_SHELLLINK_H
#define LKP_SHELL_SHELLLINK_H

// Room for the link path in UTF-16 units, terminator included; a longer path
// is refused rather than cut.
const int MaxLinkPathUnits = 1024;

// Writes the shortcut file linkPath pointing at targetPath, with nothing set
// but the description. True only when the file was saved. Initialises COM
// itself, so it may run inside another initialisation of this thread.
bool createShellLink(const char* linkPath, const char* description, const char* targetPath);

#endif
