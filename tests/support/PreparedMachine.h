// Other programs' state where the installer changes it, for the round trips
// of installing and uninstalling: ".mid" and ".kar" owned by other classes
// (".kar" with a subkey of its own), ".rmi" absent, Winamp's list with "mid"
// first, Internet Explorer's class bindings and embedding mappings, and
// Netscape 3 and two Netscape 4.x with their plug-in folders. Both browsers
// are registered with program files whose versions the installer accepts.
#ifndef LKP_TESTS_PREPAREDMACHINE_H
#define LKP_TESTS_PREPAREDMACHINE_H

#include <string>
#include <vector>

// Everything lies below root (which ends with a backslash).
void prepareMachine(const std::string& root);

// The lines of a machine's picture (MachineState.h) that stay after
// uninstalling by design: the player's settings in the program key (but no
// record), and
// the MIME database's "Extension" values of the player's types (with their
// keys where installing made them), which the installer sets without a record.
// classesRoot and software name the two trees in the picture.
std::vector<std::string> leftByDesign(const std::string& classesRoot, const std::string& software);

// The plug-in copies that installing then makes.
std::vector<std::string> preparedPluginPaths(const std::string& root);
// Where Winamp keeps its list, and the list before installing.
std::string preparedWinampIni(const std::string& root);
extern const char* const PreparedWinampList;

#endif
