#include "uninstall/Uninstaller.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "app/Constants.h"
#include "app/Probes.h"
#include "base/KRegKey.h"
#include "payload/PayloadEntry.h"
#include "payload/UninstallEntry.h"
#include "plugins/IeBindings.h"
#include "shell/FileTypes.h"
#include "shell/KProgramGroup.h"
#include "shell/ProgramKey.h"
#include "uninstall/FileRemoval.h"
#include "uninstall/RecordReading.h"
#include "uninstall/RemovalRules.h"

namespace {

// A playlist longer than this is not one that the installer wrote.
const DWORD MaxSamplePlaylistBytes = 65536;

bool readSmallFile(const KString& path, DWORD limit, KString& bytes) {
    HANDLE file = CreateFileA(path.chars(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    DWORD got = 0;
    bool read = size <= limit &&
                (size == 0 || ReadFile(file, bytes.getBuffer(static_cast<int>(size)), size, &got,
                                       nullptr)) &&
                got == size;
    CloseHandle(file);
    bytes.releaseBuffer(read ? static_cast<int>(size) : 0);
    return read;
}

// Whether the value name of key (below root) is there; a missing key has none.
bool valueIsThere(HKEY root, const KString& key, const char* name) {
    try {
        KRegKey parent(root);
        return KRegKey(parent, key.chars(), false).valueExists(name);
    } catch (const KRegKey::EOpen&) {
        return false;
    }
}

// Puts a saved string back as value name of key (below root, created when
// missing), unless something has taken its place since; the record goes once
// it has been dealt with, and stays when it is damaged or cannot be written.
void putBack(KRegKey& records, const char* recordName, HKEY root, const KString& key,
             const char* name) {
    StringRecord saved = readStringRecord(records, recordName);
    if (saved.state == RecordState::Missing)
        return;
    switch (judgeSavedValue(saved, valueIsThere(root, key, name))) {
    case RecordAction::Keep:
        return;
    case RecordAction::GiveBack:
        try {
            KRegKey parent(root);
            if (!KRegKey(parent, key.chars(), true).writeString(name, saved.value))
                return;
        } catch (const KRegKey::ECreate&) {
            return;
        }
        break;
    case RecordAction::Forget:
        break;
    }
    records.deleteValue(recordName);
}

// Puts "mid" back into Winamp's list; false when the list could not be read
// or written, so that the flag stays for another try.
bool giveMidBackToWinamp() {
    KString ini;
    // Without Winamp there is nothing to give back, and no file is made.
    if (!findWinampIni(ini) || !fileExists(ini.chars()))
        return true;
    KString list;
    if (!readWinampExtList(ini, list))
        return false;
    list.trim();
    if (!addMidEntry(list))
        return true;
    return WritePrivateProfileStringA("Winamp", "extlist", list.chars(), ini.chars()) != 0;
}

bool isDriveRoot(const KString& folder) {
    return folder.length() == 3;  // "C:\"
}

}  // namespace

Uninstaller::Uninstaller() {
    try {
        KRegKey machine(HKEY_LOCAL_MACHINE);
        KRegKey entry(machine, UninstallKey.chars(), false);
        KString command;
        if (!entry.readString(UninstallStringValue, command, MAX_PATH - 1) ||
            !programFolderFromUninstallString(command, folder_))
            folder_.clear();
    } catch (const KRegKey::EOpen&) {
        // Nothing registered: no program files to remove.
    }
}

ExitCode Uninstaller::run() {
    removeProgramGroup();
    removeShortcuts();
    restoreExtensionMappings();
    restoreContentTypeClasses();
    removePluginCopies();
    restoreFileTypes();
    restoreWinampList();
    removePlayerFileClass();
    removeProgramFiles();
    removeRegistration();
    removeEmptyRecordKeys();
    return left_.empty() ? ExitSuccess : ExitFileNotWritten;
}

bool Uninstaller::removeFile(const KString& path) {
    switch (removeFileAt(path.chars())) {
    case Removal::Removed:
        SHChangeNotify(SHCNE_DELETE, SHCNF_PATHA, path.chars(), nullptr);
        return true;
    case Removal::Absent:
        return true;
    case Removal::Failed:
        break;
    }
    left_.push_back(path);
    return false;
}

// The group has no record: it is the player's by its name. Links that the
// user added keep it, and what they point at.
void Uninstaller::removeProgramGroup() {
    try {
        KProgramGroup group(PlayerGroupName);
        for (const GroupLink& link : PlayerGroupLinks)
            removeFile(group.path() + "\\" + link.name + ".lnk");
        if (RemoveDirectoryA(group.path().chars()))
            SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA, group.path().chars(), nullptr);
    } catch (const KProgramGroup::EInitFailed&) {
    }
}

void Uninstaller::removeShortcuts() {
    const KString path = programKeyPath(BackupShortcutsSuffix);
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey records(user, path.chars(), false);
        for (const char* name : {DesktopValue, QuickLaunchValue}) {
            StringRecord shortcut = readStringRecord(records, name);
            if (judgeShortcutRecord(shortcut) == RecordAction::GiveBack &&
                removeFile(shortcut.value))
                records.deleteValue(name);
        }
    } catch (const KRegKey::EOpen&) {
    }
}

void Uninstaller::restoreExtensionMappings() {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey records(user, programKeyPath(BackupPluginEmbedSuffix).chars(), false);
        for (const char* extension : PlayerExtensions)
            putBack(records, extension, HKEY_LOCAL_MACHINE, KString(EmbedMappingsKey) + extension,
                    "");
    } catch (const KRegKey::EOpen&) {
    }
}

void Uninstaller::restoreContentTypeClasses() {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey program(user, PlayerKey.chars(), false);
        KRegKey records(program, BackupPluginClsidKey, false);
        for (const MimeBinding& mime : MimeBindings)
            putBack(records, mime.type, HKEY_CLASSES_ROOT, KString(ContentTypeKey) + mime.type,
                    "CLSID");
    } catch (const KRegKey::EOpen&) {
    }
}

void Uninstaller::removePluginCopies() {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey records(user, programKeyPath(BackupPluginSuffix).chars(), false);
        StringList names;
        records.enumValueNames(names);
        // Internet Explorer's copy was made last, so it goes first.
        std::stable_partition(names.begin(), names.end(),
                              [](const KString& name) { return name == IePluginValue; });
        for (const KString& name : names) {
            StringRecord copy = readStringRecord(records, name.chars());
            if (judgePluginRecord(name, copy) == RecordAction::GiveBack && removeFile(copy.value))
                records.deleteValue(name.chars());
        }
    } catch (const KRegKey::EOpen&) {
    }
}

void Uninstaller::restoreFileTypes() {
    for (const char* extension : PlayerExtensions) {
        const KString path = programKeyPath(FiletypeSuffix, extension);
        try {
            KRegKey user(HKEY_CURRENT_USER);
            KRegKey record(user, path.chars(), false);
            RecordAction action = judgeFileTypeRecord(
                readDwordRecord(record, RegisterValue), readDwordRecord(record, ExistedBeforeValue),
                readStringRecord(record, DefaultValueValue), isPlayerFileType(extension));
            if (action == RecordAction::Keep)
                continue;
            if (action == RecordAction::GiveBack)
                restoreFileType(extension);
            for (const char* name : {RegisterValue, ExistedBeforeValue, DefaultValueValue})
                record.deleteValue(name);
        } catch (const KRegKey::EOpen&) {
            continue;
        }
        deleteKeyIfEmpty(HKEY_CURRENT_USER, path.chars());
    }
}

void Uninstaller::restoreWinampList() {
    try {
        KRegKey user(HKEY_CURRENT_USER);
        KRegKey misc(user, programKeyPath(BackupMiscSuffix).chars(), false);
        switch (judgeStudioRecord(readDwordRecord(misc, StudioValue))) {
        case RecordAction::Keep:
            return;
        case RecordAction::GiveBack:
            if (!giveMidBackToWinamp())
                return;
            break;
        case RecordAction::Forget:
            break;
        }
        misc.deleteValue(StudioValue);
    } catch (const KRegKey::EOpen&) {
    }
}

void Uninstaller::removePlayerFileClass() {
    KRegKey classes(HKEY_CLASSES_ROOT);
    classes.deleteSubKeyTree(PlayerFileClass);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// Only the files that the installer writes, by name; whatever else is in the
// folder (songs, playlists) is the user's and stays.
void Uninstaller::removeProgramFiles() {
    if (folder_.empty())
        return;
    for (const char* name : PayloadFileNames) {
        if (UninstallerExeName.compareNoCase(name) != 0)  // it goes last
            removeFile(folder_ + name);
    }
    removeSamplePlaylists();
}

// A sample playlist goes only while its bytes are exactly what the installer
// wrote for this folder: once the player or the user changed it, it is theirs.
void Uninstaller::removeSamplePlaylists() {
    StringList names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "Sample Playlist*.kpl").chars(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        KString name(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && isSamplePlaylistName(name))
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);

    for (const KString& name : names) {
        KString expected = samplePlaylistBytes(folder_, name);
        KString bytes;
        if (readSmallFile(folder_ + name, MaxSamplePlaylistBytes, bytes) &&
            bytes.length() == expected.length() && bytes == expected)
            removeFile(folder_ + name);
    }
}

void Uninstaller::removeUninstaller() {
    KString path = folder_ + UninstallerExeName;
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !isSameFile(path.chars(), self)) {
        removeFile(path);
        return;
    }
    if (!removeRunningProgramFile(path.chars(), folderGoesAtRestart_))
        left_.push_back(path);
}

void Uninstaller::removeRegistration() {
    if (!left_.empty())
        return;
    if (!folder_.empty())
        removeUninstaller();
    if (!left_.empty())
        return;

    try {
        KRegKey machine(HKEY_LOCAL_MACHINE);
        KRegKey currentVersion(machine, CurrentVersionKey.chars(), false);
        // Values that others keep in these keys stay, and the keys with them.
        try {
            KRegKey entry(currentVersion, UninstallEntryKey, false);
            for (const char* name :
                 {DisplayNameValue, UninstallStringValue, QuietUninstallStringValue})
                entry.deleteValue(name);
        } catch (const KRegKey::EOpen&) {
        }
        deleteKeyIfEmpty(currentVersion.handle(), UninstallEntryKey);
        try {
            KRegKey appPath(currentVersion, AppPathEntryKey, false);
            appPath.deleteValue("");
            appPath.deleteValue(AppPathFolderValue);
        } catch (const KRegKey::EOpen&) {
        }
        deleteKeyIfEmpty(currentVersion.handle(), AppPathEntryKey);
    } catch (const KRegKey::EOpen&) {
    }

    if (folder_.empty() || isDriveRoot(folder_))
        return;
    KString folder = folder_;
    stripTrailingBackslash(folder);
    if (folderGoesAtRestart_)
        MoveFileExA(folder.chars(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    else if (RemoveDirectoryA(folder.chars()))
        SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA, folder.chars(), nullptr);
}

// The keys that held records go once nothing is left in them; the program
// key itself holds the player's settings, which are the user's.
void Uninstaller::removeEmptyRecordKeys() {
    const KString keys[] = {
        programKeyPath("\\", BackupPluginClsidKey), programKeyPath(BackupPluginEmbedSuffix),
        programKeyPath(BackupPluginSuffix),         programKeyPath(BackupShortcutsSuffix),
        programKeyPath(BackupMiscSuffix),           programKeyPath(BackupSuffix),
    };
    for (const KString& key : keys)
        deleteKeyIfEmpty(HKEY_CURRENT_USER, key.chars());
}
