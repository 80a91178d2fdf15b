// The player's layout setting, pointed at the freshly installed layout.
#ifndef LKP_MIGRATE_LAYOUTFILE_H
#define LKP_MIGRATE_LAYOUTFILE_H

#include "base/KString.h"

// True when layoutFile names a file that does not lie directly in folder
// (which ends with a backslash); a value without a folder part, or naming a
// folder only, is left alone.
bool layoutNeedsRedirect(const KString& layoutFile, const KString& folder);

// Sets "File" of the layout key to folder + "basic.lyt" when the setting
// exists and layoutNeedsRedirect says so.
void redirectLayoutFile(const KString& folder);

#endif
