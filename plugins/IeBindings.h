// Internet Explorer's bindings of the MIDI and karaoke types to other
// controls: removed, after the removed values are saved under the program
// key, so that the browser hands these types to the plug-in.
#ifndef LKP_PLUGINS_IEBINDINGS_H
#define LKP_PLUGINS_IEBINDINGS_H

// A MIME type of the player and the extension its database entry names.
struct MimeBinding {
    const char* type;
    const char* extension;
};
const int MimeBindingCount = 9;
extern const MimeBinding MimeBindings[MimeBindingCount];

// HKEY_CLASSES_ROOT: followed by a MIME type, its entry in the MIME database.
extern const char* const ContentTypeKey;
// HKEY_LOCAL_MACHINE, with its trailing backslash: followed by an extension,
// the browser's mapping of that extension to a control.
extern const char* const EmbedMappingsKey;

// Sets each MIME type's extension, removes its "CLSID" and the browser's
// per-type plug-in entries. A missing key ends this part only.
void clearMimeBindings();
// Removes the extension-to-control mappings and the browser's per-extension
// plug-in entries. A missing key ends this part only.
void clearExtensionBindings();

#endif
