#include "migrate/OldSettingsTable.h"

const OldSettingGroup OldSettingGroups[OldSettingGroupCount] = {
    {"Main Window", 3,
     {"Autoplay", "Repeat", "Scan"},
     {REG_DWORD, REG_DWORD, REG_DWORD}},
    {"Karaoke Window", 1,
     {"AlwaysOnTop"},
     {REG_DWORD}},
    {"Playlist", 1,
     {"Directory"},
     {REG_SZ}},
    {"Setup", 11,
     {"Output", "Reset", "FirstNote", "RunningStatus", "SkipRedundant", "UserReset",
      "SysexDelay", "ScanStart", "ScanEnd", "ScanFade", "ResetOnPause"},
     {REG_DWORD, REG_DWORD, REG_DWORD, REG_DWORD, REG_DWORD, REG_SZ,
      REG_DWORD, REG_DWORD, REG_DWORD, REG_DWORD, REG_DWORD}},
};
