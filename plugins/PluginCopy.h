// Copying the plug-in into a browser's folder and recording the copy, shared
// by the Netscape and Internet Explorer steps.
#ifndef LKP_PLUGINS_PLUGINCOPY_H
#define LKP_PLUGINS_PLUGINCOPY_H

#include "base/KString.h"

class Installer;

// Copies the plug-in from the target folder to destination, replacing any
// file there. While the destination is in use, the user is asked to close
// the browser; OK tests again, Cancel goes on to the copy all the same.
// True when the copy succeeded.
bool copyPlugin(Installer& installer, const KString& destination, const char* busyText,
                const char* busyCaption);

// Records a copied plug-in file by full path; a key that cannot be created
// leaves the copy unrecorded, without a message.
void recordPluginCopy(const char* valueName, const KString& path);

#endif
