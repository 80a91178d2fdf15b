#include "app/InstallOptions.h"

// The default folder is found by the wizard's options defaults.
InstallOptions::InstallOptions() {}
