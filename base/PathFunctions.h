// Folder-path normalisation. Folders that file paths are built from end in a
// backslash, so that a file's path is the plain concatenation of both.
#ifndef LKP_BASE_PATHFUNCTIONS_H
#define LKP_BASE_PATHFUNCTIONS_H

#include "base/KString.h"

void ensureTrailingBackslash(KString& path);  // an empty path stays empty
void stripTrailingBackslash(KString& path);   // removes one backslash only

void trimAndEnsure(KString& path);
void trimAndStrip(KString& path);

#endif
