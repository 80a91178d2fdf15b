// Copies the plug-in into the plug-ins folder of every Netscape Navigator
// found: the one 3.x of the current user, then each 4.x of the machine.
#include "app/Installer.h"

#include "base/KRegKey.h"
#include "plugins/PluginCopy.h"
#include "plugins/PluginPaths.h"
#include "shell/ProgramKey.h"

namespace {

const char* const Navigator3MainKey = "SOFTWARE\\Netscape\\Netscape Navigator\\Main";
const char* const NavigatorKey = "SOFTWARE\\Netscape\\Netscape Navigator";
const PluginCopyTexts Navigator3Texts = {
    "Netscape 3.x appears to be running.  Please close all Netscape 3.x windows\n"
    "or the plug-in for Netscape 3.x cannot be installed.\n",
    "Please close Netscape", "The plug-in for Netscape 3.x could not be installed.",
    "Netscape plug-in installation error"};
const PluginCopyTexts Navigator4Texts = {
    "Netscape 4.x appears to be running.  Please close all Netscape 4.x windows\n"
    "or the plug-in for Netscape 4.x cannot be installed.\n",
    "Please close Netscape", "The plug-in for Netscape 4.x could not be installed.",
    "Netscape plug-in installation error"};

bool readNavigator3Folder(KString& folder) {
    try {
        KRegKey root(HKEY_CURRENT_USER);
        KRegKey main(root, Navigator3MainKey, false);
        return main.readString("Install Directory", folder, MaxRegString);
    } catch (const KRegKey::EOpen&) {
        return false;
    }
}

// subKeyName as enumerated: a name with blanks around it is still the name
// of the key, only the version and its record are named without them.
bool readPluginsDirectory(const KRegKey& navigator, const KString& subKeyName, KString& folder) {
    try {
        KRegKey main(navigator, (subKeyName + "\\Main").chars(), false);
        return main.readString("Plugins Directory", folder, MAX_PATH);
    } catch (const KRegKey::EOpen&) {
        return false;
    }
}

void installForNavigator3(Installer& installer) {
    KString folder;
    if (!readNavigator3Folder(folder))
        return;
    installPluginFile(installer, navigator3PluginPath(folder), Netscape3PluginValue,
                      Navigator3Texts);
}

void installForNavigator4(Installer& installer, const KRegKey& navigator, const KString& subKeyName,
                          const KString& version) {
    KString folder;
    if (!readPluginsDirectory(navigator, subKeyName, folder))
        return;
    installPluginFile(installer, navigator4PluginPath(folder),
                      (NetscapePluginValuePrefix + version).chars(), Navigator4Texts);
}

}  // namespace

void Installer::installNetscapePlugin() {
    installForNavigator3(*this);
    try {
        KRegKey root(HKEY_LOCAL_MACHINE);
        KRegKey navigator(root, NavigatorKey, false);
        StringList names;
        navigator.enumSubKeys(names);
        for (const KString& name : names) {
            KString version;
            if (isNavigator4Version(name, version))
                installForNavigator4(*this, navigator, name, version);
        }
    } catch (const KRegKey::EOpen&) {
        // No Navigator 4.x on this machine.
    }
}
