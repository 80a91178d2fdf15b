// The earlier product's settings that carry over: each group is both a section
// of its profile file and a subkey of the program key, and each value name is
// both a profile key and a registry value name.
#ifndef LKP_MIGRATE_OLDSETTINGSTABLE_H
#define LKP_MIGRATE_OLDSETTINGSTABLE_H

#include <windows.h>

const int MaxOldSettingValues = 11;

struct OldSettingGroup {
    const char* name;
    DWORD valueCount;
    const char* valueNames[MaxOldSettingValues];
    DWORD valueTypes[MaxOldSettingValues];  // REG_SZ or REG_DWORD; 0 in unused slots
};

const int OldSettingGroupCount = 4;
extern const OldSettingGroup OldSettingGroups[OldSettingGroupCount];

#endif
