// Copying the plug-in into a browser's folder and recording the copy, shared
// by the Netscape and Internet Explorer steps.
#ifndef LKP_PLUGINS_PLUGINCOPY_H
#define LKP_PLUGINS_PLUGINCOPY_H

#include "base/KString.h"

class Installer;

// What one browser's copy tells the user: the busy prompt and the failure.
struct PluginCopyTexts {
    const char* busy;
    const char* busyCaption;
    const char* failure;
    const char* failureCaption;
};

// Copies the plug-in from the target folder to destination, replacing any
// file there. While the destination is in use the user is asked to close the
// browser; OK tests again, Cancel goes on to the copy all the same. A copy is
// recorded under recordName (a key that cannot be created leaves it
// unrecorded, without a message); a failed one gets the failure message.
// True when the plug-in was copied.
bool installPluginFile(Installer& installer, const KString& destination, const char* recordName,
                       const PluginCopyTexts& texts);

#endif
