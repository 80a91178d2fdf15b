#include "app/PageTexts.h"

#include <initializer_list>

#include "app/Constants.h"

const char* const InstallerCaption = "Lorimund's Karaoke Player Installer";
const char* const AbortQuestion =
    "Are you sure you want to abort the installation of Lorimund's Karaoke Player?";
const char* const AbortCaption = "Abort Installation";
const char* const ArchiveCaption = "Installation Archive Error";
const char* const TargetFolderCaption = "Target Folder";
const char* const InvalidFolderMessage = "The target folder you specified is invalid.";
const char* const FreeSpaceCaption = "Not Enough Free Disk Space";
const char* const PlayerRunningCaption = "Lorimund's Karaoke Player is running";
const char* const BrowseTitle = "Please select a folder:";

KString welcomeButtonWord(const KString& buttonText) {
    KString word(buttonText);
    word.trim();
    if (word.empty())
        return KString("Next");
    for (int at = word.find('&'); at >= 0; at = word.find('&'))
        word.erase(at, 1);
    while (!word.empty() && word.at(word.length() - 1) == '>')
        word.erase(word.length() - 1, 1);
    word.trim();
    return word.empty() ? KString("Next") : word;
}

KString welcomeText(const KString& word) {
    // The address is joined in rather than formatted, so that no character of
    // it can be taken for a format directive.
    KString text(
        "Welcome!\n\nYou are about to install Lorimund's Karaoke Player 2.04, a MIDI Karaoke "
        "Player with full-screen lyrics display.  For the latest information about this "
        "product, please visit ");
    text += ProductWebSite;
    text += ".\n\nThis installer will guide you step-by-step through the setup process.  "
            "You will be asked to specify a few basic preferences, which you will be able to "
            "review before the actual installation is carried out.\n\nClick \"";
    text += word;
    text += "\" to begin.";
    return text;
}

KString readyText(const KString& buttonText) {
    KString text;
    text.format("We are now ready to perform the actual installation of Lorimund's Karaoke "
                "Player.  Please review your settings to make sure everything is as you want "
                "it.  If you wish to make changes, just go back.  Once you're satisfied, "
                "hit \"%s\".",
                buttonText.empty() ? "Finish" : buttonText.chars());
    return text;
}

static KString shortcutSection(const InstallOptions& options) {
    KString lines;
    if (options.desktopShortcut)
        lines += "    Add Shortcut to your Desktop\r\n";
    if (options.quickLaunchShortcut)
        lines += "    Add Shortcut to your Quick Launch Bar\r\n";
    return lines.empty() ? lines : "Shortcuts to Lorimund's Karaoke Player:\r\n" + lines;
}

static KString fileTypeSection(const InstallOptions& options) {
    KString lines;
    if (options.associateMid || options.associateMidi) {
        lines += "    Associate MIDI files (";
        if (options.associateMid && options.associateMidi)
            lines += "*.mid, *.midi";
        else
            lines += options.associateMid ? "*.mid" : "*.midi";
        lines += ")\r\n";
    }
    if (options.associateKar)
        lines += "    Associate Karaoke files (*.kar)\r\n";
    if (options.associateRmi)
        lines += "    Associate Windows MIDI files (*.rmi)\r\n";
    return lines.empty() ? lines
                         : "File-types to associate with Lorimund's Karaoke Player:\r\n" + lines;
}

static KString pluginSection(const InstallOptions& options) {
    KString lines;
    if (options.internetExplorerPlugin)
        lines += "    Install Plug-in for Internet Explorer\r\n";
    if (options.netscapePlugin)
        lines += "    Install Plug-in for Netscape\r\n";
    return lines.empty() ? lines : "Lorimund's Karaoke Player Browser Plug-in:\r\n" + lines;
}

KString summaryText(const InstallOptions& options) {
    KString text("Install program to ");
    text += options.folder;
    text += "\r\n";
    for (const KString& section :
         {shortcutSection(options), fileTypeSection(options), pluginSection(options)}) {
        if (!section.empty()) {
            text += "\r\n";
            text += section;
        }
    }
    return text;
}

KString archiveMessage() {
    KString text("This installation archive appears to be corrupt.  Please try downloading\n"
                 "Lorimund's Karaoke Player from ");
    text += ProductWebSite;
    text += ".";
    return text;
}

KString rootFolderQuestion(char drive) {
    KString text;
    text.format("Do you really want to install Lorimund's Karaoke Player to the root folder\n"
                "of drive %c:? Note: it is highly recommended that the program be installed\n"
                "into a sub-folder, e.g. %c:\\Lorimund's Karaoke Player.",
                drive, drive);
    return text;
}

KString freeSpaceMessage(char drive) {
    KString text;
    text.format("There is insufficient free space for installation on drive %c.  Please free\n"
                "up some space or choose a different drive.  Lorimund's Karaoke Player\n"
                "requires at least 2.5 MB  (2,621,440 bytes) of free disk space.",
                drive);
    return text;
}

KString playerRunningMessage(bool onlyLibraryLocked) {
    KString text("Lorimund's Karaoke Player appears to be running.  Please\n"
                 "close Lorimund's Karaoke Player before continuing.");
    if (onlyLibraryLocked)
        text += "  If \nLorimund's Karaoke Player is not currently running,\n"
                "please reboot your machine and try installing again.";
    return text;
}
