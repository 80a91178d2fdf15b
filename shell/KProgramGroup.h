// One start-menu program group folder. Holds one initialisation of COM for
// its lifetime; tells the shell about the folder when links were added.
#ifndef LKP_SHELL_KPROGRAMGROUP_H
#define LKP_SHELL_KPROGRAMGROUP_H

#include "base/KString.h"

class KProgramGroup {
public:
    class EInitFailed {};

    // Throws EInitFailed when COM or the Programs folder is unavailable.
    explicit KProgramGroup(const char* name);
    ~KProgramGroup();

    // Deletes the folder with everything in it, silently; a missing folder is
    // no error.
    void remove();
    // Creates the folder; false when it could not be created (or existed).
    bool create();
    // Writes name.lnk into the folder, pointing at target, with name as its
    // description.
    bool addLink(const char* name, const char* target);

    const KString& path() const { return path_; }

private:
    KProgramGroup(const KProgramGroup&) = delete;
    KProgramGroup& operator=(const KProgramGroup&) = delete;

    KString path_;  // Programs folder + name, no trailing backslash
    bool linksAdded_;
};

// The start menu's Programs folder, with a trailing backslash.
bool getProgramsFolder(KString& folder);

#endif
