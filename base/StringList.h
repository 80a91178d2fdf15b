// An ordered, growable list of strings (subkey names, for instance).
#ifndef LKP_BASE_STRINGLIST_H
#define LKP_BASE_STRINGLIST_H

#include "base/KString.h"
#include <vector>

typedef std::vector<KString> StringList;

#endif
