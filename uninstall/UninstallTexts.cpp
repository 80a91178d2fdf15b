#include "uninstall/UninstallTexts.h"

const char* const UninstallCaption = "Uninstall Lorimund's Karaoke Player";

const char* const RemovalQuestion =
    "Do you want to remove Lorimund's Karaoke Player from this computer?\n\n"
    "Its program files, shortcuts, file types and browser plug-ins will be removed.\n"
    "Your songs, your playlists and the player's settings stay.";

KString badArgumentMessage(const KString& argument) {
    KString text;
    text.format("The argument \"%s\" is not understood.\n\n"
                "remove.exe /S removes Lorimund's Karaoke Player without asking.",
                argument.chars());
    return text;
}

KString filesLeftMessage(const StringList& files) {
    KString text("Lorimund's Karaoke Player could not be removed completely: "
                 "these files are in use or protected.\n\n");
    int named = 0;
    for (const KString& file : files) {
        if (named++ == MaxFilesNamed) {
            KString more;
            more.format("and %d more\n", static_cast<int>(files.size()) - MaxFilesNamed);
            text += more;
            break;
        }
        text += file;
        text += '\n';
    }
    text += "\nClose the programs that use them and run the uninstaller again.";
    return text;
}
