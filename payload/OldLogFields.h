// Checks on the fields of the earlier version's uninstall log before a record
// is applied: the log is old data from another program and may be damaged.
#ifndef LKP_PAYLOAD_OLDLOGFIELDS_H
#define LKP_PAYLOAD_OLDLOGFIELDS_H

#include <windows.h>

#include "base/KString.h"

// The log stores a root as the 32-bit value of a predefined key handle.
// Answers that root's handle for HKEY_CLASSES_ROOT to HKEY_DYN_DATA, and null
// for any other value, which would otherwise reach the registry functions as
// some unrelated handle of this process.
HKEY predefinedRoot(DWORD value);

// False when the text holds a NUL byte: used as a key path, value name or
// file path it would name something shorter than what the log says.
bool isWholeText(const KString& text);

// Case-sensitive and length-exact: a NUL inside either text does not end it.
bool sameText(const KString& a, const KString& b);

#endif
