// Where the browser plug-in goes: the path and name rules of both browsers,
// on plain strings.
#ifndef LKP_PLUGINS_PLUGINPATHS_H
#define LKP_PLUGINS_PLUGINPATHS_H

#include "base/KString.h"

// The plug-in library, as the payload writes it into the target folder.
extern const char* const PluginFileName;  // "npmelko.dll"

// From Navigator 3.x's "Install Directory", with or without blanks around it
// or a final backslash.
KString navigator3PluginPath(KString installDirectory);
// From a Navigator 4.x version's "Plugins Directory".
KString navigator4PluginPath(KString pluginsDirectory);

// Whether a subkey of the Navigator key names a 4.x version: its name,
// without blanks at either end, begins with "4.". version gets that name.
bool isNavigator4Version(const KString& subKeyName, KString& version);

// From the browser's program path: the "plugins" folder beside the program.
// False when the path names no folder (no backslash after its first
// character); then the plug-in is not installed.
bool internetExplorerPluginPath(KString programPath, KString& pluginPath);

#endif
