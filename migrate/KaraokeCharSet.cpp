#include "migrate/KaraokeCharSet.h"

#include "app/Constants.h"
#include "app/Installer.h"
#include "base/KRegKey.h"

bool isWesternCodePage(UINT ansiCodePage, UINT oemCodePage) {
    return ansiCodePage == 1252 && (oemCodePage == 850 || oemCodePage == 437);
}

void setKaraokeCharSetFor(UINT ansiCodePage, UINT oemCodePage) {
    if (isWesternCodePage(ansiCodePage, oemCodePage))
        return;
    try {
        KRegKey currentUser(HKEY_CURRENT_USER);
        KRegKey karaoke(currentUser, (PlayerKey + "\\Karaoke Window").chars(), true);
        // DEFAULT_CHARSET lets the karaoke font follow the system's code page.
        karaoke.writeDword("CharSet", DEFAULT_CHARSET);
    } catch (const KRegKey::E&) {
    }
}

void Installer::setKaraokeCharSet() {
    setKaraokeCharSetFor(GetACP(), GetOEMCP());
}
