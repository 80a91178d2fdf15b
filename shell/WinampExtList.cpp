#include "base/KRegKey.h"
#include "shell/FileTypes.h"
#include "shell/ProgramKey.h"

namespace {

// GetPrivateProfileStringA cannot tell a full buffer from a cut-off value,
// so a list that fills it is read again with more room, up to this length.
const DWORD MaxExtList = 65536;

bool endsEntry(const KString& list, int position) {
    return position >= list.length() || list.at(position) == ':';
}

}  // namespace

bool readWinampExtList(const KString& ini, KString& list) {
    for (DWORD size = 1024; size <= MaxExtList; size *= 2) {
        char* buffer = list.getBuffer(static_cast<int>(size));
        DWORD got = GetPrivateProfileStringA("Winamp", "extlist", "", buffer, size, ini.chars());
        list.releaseBuffer(static_cast<int>(got));
        if (got < size - 1)
            return true;
    }
    // Never write back a list that could not be read whole.
    return false;
}

bool removeMidEntry(KString& list) {
    if (list.left(3).compareNoCase("mid") == 0 && endsEntry(list, 3)) {
        list.erase(0, 3);
        return true;
    }
    for (int from = 0;;) {
        int hit = list.mid(from).findNoCase(":mid");
        if (hit < 0)
            return false;
        hit += from;
        if (endsEntry(list, hit + 4)) {
            list.erase(hit, 4);
            return true;
        }
        from = hit + 1;
    }
}

bool addMidEntry(KString& list) {
    for (int start = 0; start <= list.length();) {
        int end = start;
        while (end < list.length() && list.at(end) != ':')
            ++end;
        if (end - start == 3 && list.mid(start, 3).compareNoCase("mid") == 0)
            return false;
        start = end + 1;
    }
    if (list.empty() || list.at(0) == ':')
        list = "mid" + list;
    else if (list.at(list.length() - 1) == ':')
        list += "mid";
    else
        list += ":mid";
    return true;
}

bool winampIniFromIcon(KString icon, KString& path) {
    icon.trim();
    int slash = icon.reverseFind('\\');
    if (slash < 2)  // none, or only a drive or root before it
        return false;
    path = icon.left(slash) + "\\winamp.ini";
    return true;
}

bool findWinampIni(KString& path) {
    KString icon;
    try {
        KRegKey classes(HKEY_CLASSES_ROOT);
        KRegKey key(classes, "Winamp.File\\DefaultIcon", false);
        if (!key.readString("", icon, MaxRegString))
            return false;
    } catch (const KRegKey::E&) {
        return false;
    }
    return winampIniFromIcon(icon, path);
}

void removeMidFromWinamp() {
    KString ini;
    if (!findWinampIni(ini))
        return;
    KString list;
    if (!readWinampExtList(ini, list))
        return;
    list.trim();
    if (!removeMidEntry(list))
        return;
    // Only an edit that was made is recorded for the uninstaller to undo.
    if (!WritePrivateProfileStringA("Winamp", "extlist", list.chars(), ini.chars()))
        return;
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey misc(user, programKeyPath(BackupMiscSuffix).chars(), true);
        misc.writeDword(StudioValue, 1);
    } catch (const KRegKey::E&) {
        // The edit stays unrecorded.
    }
}
