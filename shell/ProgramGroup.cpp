#include "app/Installer.h"

#include "app/Constants.h"
#include "shell/KProgramGroup.h"

// Removes the earlier product's start-menu group and builds the player's own
// afresh, so that nothing of an earlier installation's group survives.
void Installer::createProgramGroups() {
    try {
        KProgramGroup earlier("Lorimund's MIDI Player");
        earlier.remove();
    } catch (const KProgramGroup::EInitFailed&) {
    }
    try {
        KProgramGroup group("Lorimund's Karaoke Player");
        group.remove();
        group.create();
        // A failing link does not stop the next one.
        group.addLink("Lorimund's Karaoke Player", (folder_ + PlayerExeName).chars());
        group.addLink("Uninstall Lorimund's Karaoke Player", (folder_ + UninstallerExeName).chars());
        group.addLink("Lorimund's Karaoke Player Help", (folder_ + "melko.hlp").chars());
    } catch (const KProgramGroup::EInitFailed&) {
    }
}
