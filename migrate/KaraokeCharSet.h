// The karaoke window's character set, chosen by the system's code pages.
#ifndef LKP_MIGRATE_KARAOKECHARSET_H
#define LKP_MIGRATE_KARAOKECHARSET_H

#include <windows.h>

// True for the Western pairs: ANSI 1252 with OEM 850 or 437.
bool isWesternCodePage(UINT ansiCodePage, UINT oemCodePage);

// On a non-Western pair sets "CharSet" of the karaoke window's key to
// DEFAULT_CHARSET, replacing any value; a registry failure is ignored.
void setKaraokeCharSetFor(UINT ansiCodePage, UINT oemCodePage);

#endif
