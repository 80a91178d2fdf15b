// Internet Explorer's bindings of the MIDI and karaoke types to other
// controls: removed, after the removed values are saved under the program
// key, so that the browser hands these types to the plug-in.
#ifndef LKP_PLUGINS_IEBINDINGS_H
#define LKP_PLUGINS_IEBINDINGS_H

// Sets each MIME type's extension, removes its "CLSID" and the browser's
// per-type plug-in entries. A missing key ends this part only.
void clearMimeBindings();
// Removes the extension-to-control mappings and the browser's per-extension
// plug-in entries. A missing key ends this part only.
void clearExtensionBindings();

#endif
