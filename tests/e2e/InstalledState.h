// What an installation left on the machine, as text that two installations
// can be compared by: the registry keys that the installer writes (values
// with their types) and the files that it writes (sizes and content hashes;
// shortcuts by what they point at, since their bytes hold file times).
#ifndef LKP_TESTS_E2E_INSTALLEDSTATE_H
#define LKP_TESTS_E2E_INSTALLEDSTATE_H

#include <string>

std::string installedState(const std::string& programFolder);

#endif
