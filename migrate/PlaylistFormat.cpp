#include "migrate/PlaylistFormat.h"

KString playlistHeader(const KString& name) {
    KString line;
    line.format("\"%s\";0;0;8\n", name.chars());
    return KString("Lorimund's MIDI Player playlist file\n") + line;
}

KString playlistEntryLine(const KString& title, const KString& path, int position) {
    KString line;
    line.format("\"%s\";\"%s\";%d\n", title.chars(), path.chars(), position);
    return line;
}

KString playlistNameOf(const KString& fileName) {
    int dot = fileName.reverseFind('.');
    return dot < 0 ? fileName : fileName.left(dot);
}
