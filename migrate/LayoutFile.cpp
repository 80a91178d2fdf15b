#include "migrate/LayoutFile.h"

#include "app/Constants.h"
#include "base/KRegKey.h"

bool layoutNeedsRedirect(const KString& layoutFile, const KString& folder) {
    int slash = layoutFile.reverseFind('\\');
    if (slash < 0 || slash == layoutFile.length() - 1)
        return false;
    return layoutFile.left(slash + 1).compareNoCase(folder.chars()) != 0;
}

void redirectLayoutFile(const KString& folder) {
    try {
        KRegKey currentUser(HKEY_CURRENT_USER);
        KRegKey layout(currentUser, (PlayerKey + "\\Layout").chars(), false);
        KString file;
        if (!layout.readString("File", file, MaxRegString))
            return;
        if (layoutNeedsRedirect(file, folder))
            layout.writeString("File", folder + "basic.lyt");
    } catch (const KRegKey::EOpen&) {
        // No layout setting yet: the player falls back to its own default.
    }
}
