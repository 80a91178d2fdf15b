#include "shell/RecordRules.h"

#include <windows.h>

#include <cstring>

#include "plugins/PluginPaths.h"

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

KString fileNameOf(const KString& path) {
    return path.mid(path.reverseFind('\\') + 1);
}

}  // namespace

bool hasNoDotSteps(const KString& path) {
    for (int start = 0; start <= path.length();) {
        int end = start;
        while (end < path.length() && path.at(end) != '\\')
            ++end;
        KString step = path.mid(start, end - start);
        if (step == "." || step == "..")
            return false;
        start = end + 1;
    }
    return true;
}

bool isFullFilePath(const KString& path) {
    const int length = path.length();
    if (length < 4 || length >= MAX_PATH || path.at(length - 1) == '\\')
        return false;
    int steps;  // where the steps below the root begin
    if (isAsciiLetter(path.at(0)) && path.at(1) == ':' && path.at(2) == '\\') {
        steps = 3;
    } else if (path.at(0) == '\\' && path.at(1) == '\\') {
        steps = 2;  // server and share are steps like any other
    } else {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(path.at(i));
        if (c < 32 || std::strchr("/*?\"<>|", c) != nullptr || (c == ':' && i != 1))
            return false;
        if (i >= steps && c == '\\' && path.at(i - 1) == '\\')
            return false;
    }
    return hasNoDotSteps(path);
}

bool isShortcutRecordPath(const KString& path) {
    return isFullFilePath(path) && path.right(4).compareNoCase(".lnk") == 0;
}

bool isPluginRecordPath(const KString& path) {
    return isFullFilePath(path) && fileNameOf(path).compareNoCase(PluginFileName) == 0;
}
