// What the scenarios expect of an installation, shared by the wizard's and
// the command line's scenarios.
#ifndef LKP_TESTS_E2E_EXPECTATIONS_H
#define LKP_TESTS_E2E_EXPECTATIONS_H

#include <windows.h>

#include <string>

#include "app/ExitCodes.h"

extern const char* const DefaultFolder;

bool contains(const std::string& text, const char* part);
std::string contentOf(const std::string& path);
// No program folder at the default place and no program key.
bool nothingInstalled();
// The 17 files byte-equal to the payload, the program key, the uninstall entry.
void expectInstalledIn(const std::string& folder);

// The plug-ins folder beside the Internet Explorer that the machine registers.
std::string iePluginsFolder();

// A copy of the installer, in the temporary folder under name, with the last
// byte of part changed where it occurs (exactly once); empty when it does not.
std::string damagedCopy(const std::string& part, const std::string& name);

// The stand-in player's window, started from folder; null after a while.
HWND waitForPlayerWindow(const std::string& folder, DWORD timeoutMs = 60000);
// Closes the player and waits until its process has ended.
bool closePlayer(HWND player);

#endif
