#include <gtest/gtest.h>

#include <string>

#include "app/PageTexts.h"

TEST(WelcomeText, ButtonWordAndTheTextAroundIt) {
    const std::pair<const char*, const char*> words[] = {
        {"&Next >", "Next"}, {"  &Weiter >> ", "Weiter"},
        {"Go&On", "GoOn"},   {"> Go", "> Go"},
        {"", "Next"},        {" \t ", "Next"},
        {"&>>", "Next"}};
    for (const auto& word : words)
        EXPECT_STREQ(word.second, welcomeButtonWord(KString(word.first)).chars()) << word.first;

    EXPECT_STREQ(
        "Welcome!\n\nYou are about to install Lorimund's Karaoke Player 2.04, a MIDI Karaoke "
        "Player with full-screen lyrics display.  For the latest information about this "
        "product, please visit https://www.lorimund.example/.\n\nThis installer will guide you "
        "step-by-step through the setup process.  You will be asked to specify a few basic "
        "preferences, which you will be able to review before the actual installation is "
        "carried out.\n\nClick \"Next\" to begin.",
        welcomeText(KString("Next")).chars());
    std::string odd = welcomeText(KString("100%s")).chars();  // a word is never a format
    EXPECT_NE(std::string::npos, odd.find("Click \"100%s\" to begin.")) << odd;

    const std::string ready =
        "We are now ready to perform the actual installation of "
        "Lorimund's Karaoke Player.  Please review your settings to make "
        "sure everything is as you want it.  If you wish to make changes, "
        "just go back.  Once you're satisfied, hit ";
    EXPECT_EQ(ready + "\"Finish\".", readyText(KString("")).chars());
    EXPECT_EQ(ready + "\"&Finish\".", readyText(KString("&Finish")).chars());
}

namespace {

// Choices as "desktop quicklaunch ie netscape kar mid midi rmi", one digit each.
InstallOptions chosen(const char* flags, const char* folder) {
    InstallOptions o;
    o.folder = folder;
    bool* choices[] = {&o.desktopShortcut, &o.quickLaunchShortcut, &o.internetExplorerPlugin,
                       &o.netscapePlugin,  &o.associateKar,        &o.associateMid,
                       &o.associateMidi,   &o.associateRmi};
    for (int i = 0; i < 8; ++i)
        *choices[i] = flags[i] == '1';
    return o;
}

}  // namespace

TEST(SummaryText, FolderLineThenTheSectionsThatAreNotEmpty) {
    const std::string folder = "Install program to C:\\Lorimund\r\n";
    const std::string types = folder +
                              "\r\nFile-types to associate with Lorimund's Karaoke "
                              "Player:\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"11111111", folder + "\r\n"
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
                              "    Install Plug-in for Netscape\r\n"},
        {"00000000", folder},
        {"00000010", types + "    Associate MIDI files (*.midi)\r\n"},
        {"00000100", types + "    Associate MIDI files (*.mid)\r\n"},
        {"00000001", types + "    Associate Windows MIDI files (*.rmi)\r\n"},
        {"01010000", folder + "\r\nShortcuts to Lorimund's Karaoke Player:\r\n"
                              "    Add Shortcut to your Quick Launch Bar\r\n"
                              "\r\nLorimund's Karaoke Player Browser Plug-in:\r\n"
                              "    Install Plug-in for Netscape\r\n"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, summaryText(chosen(c.first, "C:\\Lorimund")).chars()) << c.first;
    EXPECT_STREQ("Install program to D:\\100%s Songs\r\n",
                 summaryText(chosen("00000000", "D:\\100%s Songs")).chars());
}

TEST(PageMessages, DriveLetterAsTypedAndTheRebootNote) {
    EXPECT_STREQ(
        "Do you really want to install Lorimund's Karaoke Player to the root folder\n"
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
    // The licence page names this product, unlike the extraction step.
    EXPECT_STREQ("This installation archive appears to be corrupt.  Please try downloading\n"
                 "Lorimund's Karaoke Player from https://www.lorimund.example/.",
                 archiveMessage().chars());
}
