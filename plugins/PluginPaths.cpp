#include "plugins/PluginPaths.h"

#include "base/PathFunctions.h"

const char* const PluginFileName = "npmelko.dll";

KString navigator3PluginPath(KString installDirectory) {
    trimAndEnsure(installDirectory);
    return installDirectory + "program\\plugins\\" + PluginFileName;
}

KString navigator4PluginPath(KString pluginsDirectory) {
    trimAndEnsure(pluginsDirectory);
    return pluginsDirectory + PluginFileName;
}

bool isNavigator4Version(const KString& subKeyName, KString& version) {
    version = subKeyName;
    version.trim();
    return version.left(2) == "4.";
}

bool internetExplorerPluginPath(KString programPath, KString& pluginPath) {
    programPath.trim();
    int lastBackslash = programPath.reverseFind('\\');
    if (lastBackslash <= 0)
        return false;
    programPath.erase(lastBackslash, programPath.length() - lastBackslash);
    pluginPath = programPath + "\\plugins\\" + PluginFileName;
    return true;
}
