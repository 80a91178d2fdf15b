// One start-menu program group folder. Holds one initialisation of COM for
// its lifetime; tells the shell about the folder when links were added.
#ifndef LKP_SHELL_KPROGRAMGROUP_H
#define LKP_SHELL_KPROGRAMGROUP_H

#include "base/KString.h"

// The player's group, and the earlier product's group that installing removes.
extern const char* const PlayerGroupName;
extern const char* const EarlierGroupName;
// A link of the player's group: its name (also its description) and the file
// of the program folder that it starts.
struct GroupLink {
    const char* name;
    const char* fileName;
};
const int PlayerGroupLinkCount = 3;
extern const GroupLink PlayerGroupLinks[PlayerGroupLinkCount];  // in the order of creation

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
