// Copies the plug-in into Internet Explorer's "plugins" folder, then clears
// the browser's bindings of the MIDI and karaoke types to other controls.
#include "app/Installer.h"

#include "app/Constants.h"
#include "base/KRegKey.h"
#include "plugins/IeBindings.h"
#include "plugins/PluginCopy.h"
#include "plugins/PluginPaths.h"
#include "shell/ProgramKey.h"

namespace {

const PluginCopyTexts IeTexts = {
    "Internet Explorer appears to be running.  Please close all Internet Explorer windows\n"
    "or the plug-in for Internet Explorer cannot be installed.\n",
    "Please close Internet Explorer", "The plug-in for Internet Explorer could not be installed.",
    "Internet Explorer plug-in installation error"};

enum class BrowserPath { Unregistered, Unreadable, Read };

BrowserPath readBrowserPath(KString& programPath) {
    try {
        KRegKey root(HKEY_LOCAL_MACHINE);
        KRegKey appPath(root, IExploreAppPathKey.chars(), false);
        return appPath.readString("", programPath, MAX_PATH) ? BrowserPath::Read
                                                             : BrowserPath::Unreadable;
    } catch (const KRegKey::EOpen&) {
        return BrowserPath::Unregistered;
    }
}

}  // namespace

void Installer::installIePlugin() {
    KString programPath;
    BrowserPath found = readBrowserPath(programPath);
    if (found == BrowserPath::Unreadable)
        return;
    if (found == BrowserPath::Read) {
        KString destination;
        if (!internetExplorerPluginPath(programPath, destination))
            return;
        if (!installPluginFile(*this, destination, IePluginValue, IeTexts))
            return;
    }
    clearMimeBindings();
    clearExtensionBindings();
}
