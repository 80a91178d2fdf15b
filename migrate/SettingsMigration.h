// Carrying the earlier product's settings from its profile file into the
// program key. Silent: nothing here shows a message.
#ifndef LKP_MIGRATE_SETTINGSMIGRATION_H
#define LKP_MIGRATE_SETTINGSMIGRATION_H

#include "base/KString.h"

// Copies every value of the old-settings table that the profile file holds
// into the matching subkey of the program key, replacing what is there;
// values the file does not mention stay as they are.
void importIniSettings(const KString& profilePath);

#endif
