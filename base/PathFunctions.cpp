#include "base/PathFunctions.h"

void ensureTrailingBackslash(KString& path) {
    if (!path.empty() && path.at(path.length() - 1) != '\\')
        path += '\\';
}

void stripTrailingBackslash(KString& path) {
    if (!path.empty() && path.at(path.length() - 1) == '\\')
        path.erase(path.length() - 1, 1);
}

void trimAndEnsure(KString& path) {
    path.trim();
    ensureTrailingBackslash(path);
}

void trimAndStrip(KString& path) {
    path.trim();
    stripTrailingBackslash(path);
}
