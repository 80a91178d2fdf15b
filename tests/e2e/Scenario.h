// What the end-to-end scenarios share: the build's files, the pages and
// controls of the wizard, and the checks of an installation.
#ifndef LKP_TESTS_E2E_SCENARIO_H
#define LKP_TESTS_E2E_SCENARIO_H

#include <windows.h>

#include <string>

#include "Driver.h"

extern const char* const InstallerExe;  // the installer of this build
extern const char* const LicenseFile;   // the agreement as the build embeds it
extern const char* const DefaultFolder;

enum PageIndex { WelcomePage, LicensePage, FolderPage, FileTypesPage, SummaryPage };

const int AcceptButton = 1021;
const int RejectButton = 1022;
const int FolderEdit = 1011;
const int BrowseButton = 1012;

// From the folder page with the folder already typed: clears every choice
// but the two MIDI file types, and goes on to the summary.
void chooseOnlyMidiFiles(const Wizard& wizard);

// Every payload file in folder, byte for byte, and the program key.
void expectInstalledIn(const std::string& folder);
// The stand-in player's window, started from folder; null after a while.
HWND waitForPlayerWindow(const std::string& folder);
// Closes the player and waits until its process has ended.
bool closePlayer(HWND player);

#endif
