// One run of the uninstaller's removal: every change that the records show,
// given back in the reverse order of the install sequence, then the program
// files and the registration. What could not be removed keeps its record,
// and then the uninstaller and its entry stay too, so that the user can run
// it again once the files are free.
#ifndef LKP_UNINSTALL_UNINSTALLER_H
#define LKP_UNINSTALL_UNINSTALLER_H

#include "app/ExitCodes.h"
#include "base/KString.h"
#include "base/StringList.h"

class Uninstaller {
public:
    // Reads the program folder from the uninstall entry.
    Uninstaller();

    // The folder that the uninstall entry names, with a trailing backslash;
    // empty when there is none that the installer could have written.
    const KString& folder() const { return folder_; }

    // Every step in order. ExitSuccess, or ExitFileNotWritten when a file
    // could not be removed (leftFiles names them).
    ExitCode run();
    const StringList& leftFiles() const { return left_; }

    // The steps, in the order that run takes them.
    void removeProgramGroup();
    void removeShortcuts();
    void restoreExtensionMappings();
    void restoreContentTypeClasses();
    void removePluginCopies();
    void restoreFileTypes();
    void restoreWinampList();
    void removePlayerFileClass();
    void removeProgramFiles();
    // Only when nothing is left: the uninstaller itself, the uninstall entry
    // and the application path, and the program folder when it is empty.
    void removeRegistration();
    void removeEmptyRecordKeys();

private:
    Uninstaller(const Uninstaller&) = delete;
    Uninstaller& operator=(const Uninstaller&) = delete;

    // Deletes a file that a record or the manifest names; true when it is
    // gone (or was never there), else it is listed as left.
    bool removeFile(const KString& path);
    void removeSamplePlaylists();
    void removeUninstaller();

    KString folder_;
    StringList left_;
    bool folderGoesAtRestart_ = false;
};

#endif
