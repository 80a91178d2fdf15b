#include "app/Installer.h"

#include "shell/KProgramGroup.h"

// Removes the earlier product's start-menu group and builds the player's own
// afresh, so that nothing of an earlier installation's group survives.
void Installer::createProgramGroups() {
    try {
        KProgramGroup earlier(EarlierGroupName);
        earlier.remove();
    } catch (const KProgramGroup::EInitFailed&) {
    }
    try {
        KProgramGroup group(PlayerGroupName);
        group.remove();
        group.create();
        // A failing link does not stop the next one.
        for (const GroupLink& link : PlayerGroupLinks)
            group.addLink(link.name, (folder_ + link.fileName).chars());
    } catch (const KProgramGroup::EInitFailed&) {
    }
}
