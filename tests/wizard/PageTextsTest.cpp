#include <gtest/gtest.h>

#include <string>

#include "app/PageTexts.h"

namespace {

InstallOptions choices(bool all) {
    InstallOptions options;
    options.folder = "C:\\Program Files\\Lorimund's Karaoke Player";
    options.desktopShortcut = options.quickLaunchShortcut = all;
    options.internetExplorerPlugin = options.netscapePlugin = all;
    options.associateKar = options.associateMid = options.associateMidi = all;
    options.associateRmi = all;
    return options;
}

std::string summaryOf(const InstallOptions& options) {
    return summaryText(options).chars();
}

}  // namespace

TEST(WelcomeText, WordOfTheDefaultButton) {
    EXPECT_STREQ("Next", welcomeButtonWord(KString("&Next >")).chars());
    EXPECT_STREQ("Weiter", welcomeButtonWord(KString("  &Weiter >> ")).chars());
    EXPECT_STREQ("GoOn", welcomeButtonWord(KString("Go&On")).chars());
    EXPECT_STREQ("> Go", welcomeButtonWord(KString("> Go")).chars());  // only trailing ">"
    // Nothing left of the text: the frame's usual word.
    EXPECT_STREQ("Next", welcomeButtonWord(KString("")).chars());
    EXPECT_STREQ("Next", welcomeButtonWord(KString(" \t ")).chars());
    EXPECT_STREQ("Next", welcomeButtonWord(KString("&>>")).chars());
}

TEST(WelcomeText, NamesTheWordAndTheWebSite) {
    EXPECT_STREQ(
        "Welcome!\n\nYou are about to install Lorimund's Karaoke Player 2.04, a MIDI Karaoke "
        "Player with full-screen lyrics display.  For the latest information about this "
        "product, please visit https://www.lorimund.example/.\n\nThis installer will guide you "
        "step-by-step through the setup process.  You will be asked to specify a few basic "
        "preferences, which you will be able to review before the actual installation is "
        "carried out.\n\nClick \"Next\" to begin.",
        welcomeText(KString("Next")).chars());
    // A word is text, never a format.
    std::string odd = welcomeText(KString("100%s")).chars();
    EXPECT_NE(std::string::npos, odd.find("Click \"100%s\" to begin."));
}

TEST(ReadyText, TakesTheButtonTextAsItIs) {
    const std::string start = "We are now ready to perform the actual installation of Lorimund's "
                              "Karaoke Player.  Please review your settings to make sure "
                              "everything is as you want it.  If you wish to make changes, just "
                              "go back.  Once you're satisfied, hit ";
    EXPECT_EQ(start + "\"Finish\".", readyText(KString("")).chars());
    EXPECT_EQ(start + "\"&Finish\".", readyText(KString("&Finish")).chars());
}

TEST(SummaryText, EveryChoiceGivesFourteenLines) {
    EXPECT_EQ("Install program to C:\\Program Files\\Lorimund's Karaoke Player\r\n"
              "\r\n"
              "Shortcuts to Lorimund's Karaoke Player:\r\n"
              "    Add Shortcut to your Desktop\r\n"
              "    Add Shortcut to your Quick Launch Bar\r\n"
              "\r\n"
              "File-types to associate with Lorimund's Karaoke Player:\r\n"
              "    Associate MIDI files (*.mid, *.midi)\r\n"
              "    Associate Karaoke files (*.kar)\r\n"
              "    Associate Windows MIDI files (*.rmi)\r\n"
              "\r\n"
              "Lorimund's Karaoke Player Browser Plug-in:\r\n"
              "    Install Plug-in for Internet Explorer\r\n"
              "    Install Plug-in for Netscape\r\n",
              summaryOf(choices(true)));
}

TEST(SummaryText, NoChoiceLeavesTheFolderLineAlone) {
    InstallOptions options = choices(false);
    options.folder = "D:\\100%s Songs";
    EXPECT_EQ("Install program to D:\\100%s Songs\r\n", summaryOf(options));
}

TEST(SummaryText, MidiLineListsTheChosenExtensions) {
    const std::string heading = "Install program to C:\\Program Files\\Lorimund's Karaoke "
                                "Player\r\n\r\nFile-types to associate with Lorimund's Karaoke "
                                "Player:\r\n";
    InstallOptions options = choices(false);
    options.associateMidi = true;
    EXPECT_EQ(heading + "    Associate MIDI files (*.midi)\r\n", summaryOf(options));
    options.associateMidi = false;
    options.associateMid = true;
    EXPECT_EQ(heading + "    Associate MIDI files (*.mid)\r\n", summaryOf(options));
    options.associateMid = false;
    options.associateRmi = true;
    EXPECT_EQ(heading + "    Associate Windows MIDI files (*.rmi)\r\n", summaryOf(options));
}

TEST(SummaryText, SectionsWithOneEntry) {
    InstallOptions options = choices(false);
    options.quickLaunchShortcut = true;
    options.netscapePlugin = true;
    EXPECT_EQ("Install program to C:\\Program Files\\Lorimund's Karaoke Player\r\n"
              "\r\n"
              "Shortcuts to Lorimund's Karaoke Player:\r\n"
              "    Add Shortcut to your Quick Launch Bar\r\n"
              "\r\n"
              "Lorimund's Karaoke Player Browser Plug-in:\r\n"
              "    Install Plug-in for Netscape\r\n",
              summaryOf(options));
}

TEST(PageMessages, DriveLetterAsTypedAndTheRebootNote) {
    EXPECT_STREQ("Do you really want to install Lorimund's Karaoke Player to the root folder\n"
                 "of drive d:? Note: it is highly recommended that the program be installed\n"
                 "into a sub-folder, e.g. d:\\Lorimund's Karaoke Player.",
                 rootFolderQuestion('d').chars());
    EXPECT_STREQ("There is insufficient free space for installation on drive E.  Please free\n"
                 "up some space or choose a different drive.  Lorimund's Karaoke Player\n"
                 "requires at least 2.5 MB  (2,621,440 bytes) of free disk space.",
                 freeSpaceMessage('E').chars());
    const std::string running = "Lorimund's Karaoke Player appears to be running.  Please\n"
                                "close Lorimund's Karaoke Player before continuing.";
    EXPECT_EQ(running, playerRunningMessage(false).chars());
    EXPECT_EQ(running + "  If \nLorimund's Karaoke Player is not currently running,\n"
                        "please reboot your machine and try installing again.",
              playerRunningMessage(true).chars());
    EXPECT_STREQ("This installation archive appears to be corrupt.  Please try downloading\n"
                 "Lorimund's Karaoke Player from https://www.lorimund.example/.",
                 archiveMessage().chars());
}
