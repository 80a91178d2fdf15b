#include "base/KRegKey.h"
#include "shell/FileTypes.h"

KString playerCommandLine(const KString& folder) {
    KString line;
    line.format("\"%smelko.exe\"", folder.chars());
    return line;
}

void buildPlayerFileClass(const KString& folder) {
    try {
        KRegKey classes(HKEY_CLASSES_ROOT);
        // Verbs that others added to the class go too: it is rebuilt exactly.
        classes.deleteSubKeyTree(PlayerFileClass);
        KRegKey fileClass(classes, PlayerFileClass, true);
        fileClass.writeString("", "Lorimund's Karaoke Player MIDI Sequence");
        fileClass.writeDword("EditFlags", 0x10000);
        KRegKey(fileClass, "DefaultIcon", true).writeString("", folder + "melko.exe,1");

        KRegKey shell(fileClass, "shell", true);
        shell.writeString("", "play");
        KRegKey play(shell, "play", true);
        play.writeString("", "&Play");
        KRegKey open(shell, "open", true);
        open.writeString("", "&Open");

        // The file reaches the player only through the DDE command.
        KString command = playerCommandLine(folder);
        KRegKey(play, "command", true).writeString("", command);
        KRegKey(open, "command", true).writeString("", command);
        KRegKey(play, "ddeexec", true).writeString("", "[load(\"%1\")][play]");
        KRegKey(open, "ddeexec", true).writeString("", "[load(\"%1\")]");
    } catch (const KRegKey::E&) {
        // The class stays as far as it got; the associations still follow.
    }
}
