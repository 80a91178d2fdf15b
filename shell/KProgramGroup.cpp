#include "shell/KProgramGroup.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "base/PathFunctions.h"
#include "shell/ShellLink.h"

const char* const PlayerGroupName = "Lorimund's Karaoke Player";
const char* const EarlierGroupName = "Lorimund's MIDI Player";
const GroupLink PlayerGroupLinks[PlayerGroupLinkCount] = {
    {"Lorimund's Karaoke Player", "melko.exe"},
    {"Uninstall Lorimund's Karaoke Player", "remove.exe"},
    {"Lorimund's Karaoke Player Help", "melko.hlp"},
};

bool getProgramsFolder(KString& folder) {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &item)) || item == nullptr)
        return false;
    char* buffer = folder.getBuffer(MAX_PATH);
    buffer[0] = '\0';
    BOOL found = SHGetPathFromIDListA(item, buffer);
    CoTaskMemFree(item);
    folder.releaseBuffer(found ? -1 : 0);
    trimAndEnsure(folder);
    // An empty answer would turn the group into a path relative to the
    // current folder, which remove() would then delete.
    return found && !folder.empty();
}

KProgramGroup::KProgramGroup(const char* name) : linksAdded_(false) {
    HRESULT init = CoInitialize(nullptr);
    if (init != S_OK && init != S_FALSE)
        throw EInitFailed();
    KString programs;
    if (!getProgramsFolder(programs)) {
        CoUninitialize();
        throw EInitFailed();
    }
    path_ = programs + name;
}

KProgramGroup::~KProgramGroup() {
    if (linksAdded_)
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, path_.chars(), nullptr);
    CoUninitialize();
}

void KProgramGroup::remove() {
    // The source is a list of names, closed by an empty one.
    std::vector<char> from(path_.chars(), path_.chars() + path_.length());
    from.push_back('\0');
    from.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&operation);
    SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA, path_.chars(), nullptr);
}

bool KProgramGroup::create() {
    if (!CreateDirectoryA(path_.chars(), nullptr))
        return false;
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, path_.chars(), nullptr);
    return true;
}

bool KProgramGroup::addLink(const char* name, const char* target) {
    linksAdded_ = true;
    KString linkPath = path_ + "\\" + name + ".lnk";
    return createShellLink(linkPath.chars(), name, target);
}
