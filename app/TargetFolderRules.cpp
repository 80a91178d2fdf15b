#include "app/TargetFolderRules.h"

#include "app/Constants.h"
#include "app/Probes.h"
#include "base/PathFunctions.h"

KString folderFromEditText(const char* text) {
    KString folder(text);
    trimAndStrip(folder);
    return folder;
}

bool isBareDrive(const KString& folder) {
    return folder.find('\\') < 0;
}

bool endsWithProductName(const KString& path) {
    // A whole last component only: "D:\GamesLorimund's..." is no product folder,
    // and cutting it would leave a path that names nothing.
    int start = path.length() - ProductName.length();
    return start > 0 && path.at(start - 1) == '\\' &&
           path.right(ProductName.length()) == ProductName;
}

KString browseStartFolder(const char* editText) {
    KString folder(editText);
    folder.trim();
    if (!isValidFolderPath(folder.chars()))
        return getProgramFilesFolder();
    stripTrailingBackslash(folder);
    if (endsWithProductName(folder) && !isPlainDirectory(folder.chars()))
        folder.erase(folder.length() - ProductName.length() - 1, ProductName.length() + 1);
    if (folder.length() == 2)
        folder += '\\';
    return folder;
}

KString productFolderBelow(const char* chosenFolder) {
    KString folder(chosenFolder);
    trimAndStrip(folder);
    if (!endsWithProductName(folder)) {
        ensureTrailingBackslash(folder);
        folder += ProductName;
    }
    return folder;
}
