// Deleting files, and the uninstaller's own file, which Windows keeps while
// the program runs.
#ifndef LKP_UNINSTALL_FILEREMOVAL_H
#define LKP_UNINSTALL_FILEREMOVAL_H

#include "base/KString.h"

enum class Removal {
    Removed,  // deleted now
    Absent,   // no file there (a folder of that name is not ours to delete)
    Failed    // still there: in use or protected
};
// Deletes the file, also when it is read-only.
Removal removeFileAt(const char* path);

// Whether both paths name the same file (volume and file index).
bool isSameFile(const char* first, const char* second);

// The running program's file can be renamed but not deleted. It is moved
// into the temporary folder under a new name and deleted there at the next
// restart; on another volume, where it cannot be moved, it is deleted in
// place at the next restart (atRestart true). False when neither works.
bool removeRunningProgramFile(const char* path, bool& atRestart);

#endif
