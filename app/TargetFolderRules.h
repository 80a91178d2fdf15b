// The path rules of the target folder page, on plain text.
#ifndef LKP_APP_TARGETFOLDERRULES_H
#define LKP_APP_TARGETFOLDERRULES_H

#include "base/KString.h"

// Minimum free space on the target drive: 2.5 MB.
const unsigned long RequiredFreeBytes = 2621440;

// The edit's text as a folder: trimmed, one trailing backslash removed.
KString folderFromEditText(const char* text);
// A folder text without any backslash names a bare drive such as "C:".
bool isBareDrive(const KString& folder);
// The last component is the product's folder name (case-sensitive).
bool endsWithProductName(const KString& path);

// Where the folder browser opens for the edit's text: the folder itself, or
// its parent when the text ends with the product's folder that does not exist
// yet; the Program Files folder when the text is no valid folder path.
KString browseStartFolder(const char* editText);
// The edit's new text for a folder chosen in the browser: the product's
// folder below it, unless the chosen folder already is one.
KString productFolderBelow(const char* chosenFolder);

#endif
