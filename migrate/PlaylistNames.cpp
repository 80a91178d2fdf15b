#include "migrate/PlaylistNames.h"

#include "app/Constants.h"
#include "app/Probes.h"

KString playlistFileName(const KString& base, int number) {
    KString name;
    if (number <= 1)
        name.format("%s.kpl", base.chars());
    else
        name.format("%s %d.kpl", base.chars(), number);
    return name;
}

bool isPlaylistTitleChar(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return c != '\0' && FolderNameChars.find(c) >= 0;
}

KString cleanPlaylistTitle(const KString& title) {
    KString clean(title);
    for (int i = 0; i < clean.length(); ++i)
        if (!isPlaylistTitleChar(clean.at(i)))
            *clean.ptrAt(i) = ' ';
    return clean;
}

bool findFreePlaylistName(const KString& folder, const KString& base, KString& name) {
    for (int number = 1; number <= LastPlaylistNumber; ++number) {
        name = playlistFileName(base, number);
        if (!fileExists((folder + name).chars()))
            return true;
    }
    name.clear();
    return false;
}
