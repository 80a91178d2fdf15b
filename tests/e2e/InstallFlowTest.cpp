// The whole wizard, driven like a person would, up to a real installation.
#include <gtest/gtest.h>

#include "Driver.h"
#include "Scenario.h"

namespace {

const char* const DeepFolder =
    "C:\\Deep Folder\\Level Two\\Level Three\\Lorimund's Karaoke Player";

const char* const WelcomeText =
    "Welcome!\n\nYou are about to install Lorimund's Karaoke Player 2.04, a MIDI Karaoke Player "
    "with full-screen lyrics display.  For the latest information about this product, please "
    "visit https://www.lorimund.example/.\n\nThis installer will guide you step-by-step through "
    "the setup process.  You will be asked to specify a few basic preferences, which you will "
    "be able to review before the actual installation is carried out.\n\nClick \"Next\" to "
    "begin.";

void expectLicenceButtons(const Wizard& wizard, bool nextAllowed) {
    EXPECT_TRUE(waitUntil([&] { return wizard.isEnabled(NextButton) == nextAllowed; }))
        << "Next should be " << (nextAllowed ? "enabled" : "disabled");
    EXPECT_TRUE(wizard.isEnabled(BackButton));
}

// Enters text into the folder edit, presses Next and returns the message box.
MessageBoxWindow refusedFolder(const Wizard& wizard, const std::string& folder) {
    wizard.setText(FolderEdit, folder);
    wizard.press(NextButton);
    MessageBoxWindow box;
    EXPECT_TRUE(wizard.waitForMessageBox(box)) << folder;
    EXPECT_EQ("Target Folder", box.caption);
    return box;
}

void expectStillOnFolderPageWithFocusInEdit(const Wizard& wizard) {
    EXPECT_EQ(FolderPage, wizard.pageIndex());
    EXPECT_TRUE(waitUntil([&] { return wizard.focus() == wizard.pageControl(FolderEdit); }));
}

}  // namespace

TEST(InstallFlow, WalksEveryPageValidatesTheFolderAndInstalls) {
    InstallerProcess installer(InstallerExe);
    ASSERT_TRUE(installer.started());
    Wizard wizard(installer);
    ASSERT_TRUE(wizard.find());
    ASSERT_TRUE(wizard.waitForPage(WelcomePage));

    // Welcome: the text names the default button, which has the focus.
    EXPECT_TRUE(waitUntil([&] { return wizard.text(1020) == WelcomeText; }))
        << wizard.text(1020);
    EXPECT_TRUE(waitUntil([&] { return wizard.focus() == wizard.frameButton(NextButton); }));
    EXPECT_FALSE(wizard.isEnabled(BackButton));

    // Licence: the agreement unchanged; Next only while it is accepted, and
    // the choice survives a trip back.
    wizard.press(NextButton);
    ASSERT_TRUE(wizard.waitForPage(LicensePage));
    EXPECT_EQ(readWholeFile(LicenseFile), wizard.text(1010));
    EXPECT_FALSE(wizard.isChecked(AcceptButton));
    EXPECT_FALSE(wizard.isChecked(RejectButton));
    expectLicenceButtons(wizard, false);
    wizard.click(AcceptButton);
    expectLicenceButtons(wizard, true);
    wizard.click(RejectButton);
    expectLicenceButtons(wizard, false);
    wizard.press(BackButton);
    ASSERT_TRUE(wizard.waitForPage(WelcomePage));
    wizard.press(NextButton);
    ASSERT_TRUE(wizard.waitForPage(LicensePage));
    EXPECT_TRUE(wizard.isChecked(RejectButton));
    expectLicenceButtons(wizard, false);
    wizard.click(AcceptButton);
    expectLicenceButtons(wizard, true);

    // Target folder: the default, then an invalid folder, a bare drive
    // refused and then accepted.
    wizard.press(NextButton);
    ASSERT_TRUE(wizard.waitForPage(FolderPage));
    EXPECT_EQ(DefaultFolder, wizard.text(FolderEdit));
    EXPECT_TRUE(waitUntil([&] { return wizard.focus() == wizard.frameButton(NextButton); }));

    MessageBoxWindow invalid = refusedFolder(wizard, "C:\\Songs*");
    EXPECT_EQ("The target folder you specified is invalid.", invalid.text);
    ASSERT_TRUE(wizard.answer(invalid, IDOK));
    expectStillOnFolderPageWithFocusInEdit(wizard);

    const char* rootQuestion =
        "Do you really want to install Lorimund's Karaoke Player to the root folder\nof drive "
        "c:? Note: it is highly recommended that the program be installed\ninto a sub-folder, "
        "e.g. c:\\Lorimund's Karaoke Player.";
    MessageBoxWindow root = refusedFolder(wizard, "  c:\\ ");
    EXPECT_EQ(rootQuestion, root.text);
    ASSERT_TRUE(wizard.answer(root, IDNO));
    expectStillOnFolderPageWithFocusInEdit(wizard);
    MessageBoxWindow rootAgain = refusedFolder(wizard, "c:\\");
    ASSERT_TRUE(wizard.answer(rootAgain, IDYES));
    ASSERT_TRUE(wizard.waitForPage(FileTypesPage));

    // Back keeps what was typed; the deep folder goes through.
    wizard.press(BackButton);
    ASSERT_TRUE(wizard.waitForPage(FolderPage));
    EXPECT_EQ("c:\\", wizard.text(FolderEdit));
    wizard.setText(FolderEdit, DeepFolder);
    chooseOnlyMidiFiles(wizard);
    ASSERT_TRUE(wizard.waitForPage(SummaryPage));

    const std::string summary = std::string("Install program to ") + DeepFolder +
                                "\r\n\r\nFile-types to associate with Lorimund's Karaoke "
                                "Player:\r\n    Associate MIDI files (*.mid, *.midi)\r\n";
    EXPECT_EQ(summary, wizard.text(1019));
    EXPECT_TRUE(waitUntil([&] { return wizard.focus() == wizard.frameButton(FinishButton); }));
    EXPECT_TRUE(waitUntil([&] {
        return wizard.text(1020).find("Once you're satisfied, hit \"Finish\".") !=
               std::string::npos;
    })) << wizard.text(1020);
    EXPECT_TRUE(wizard.isVisible(FinishButton));

    // Back across every page to the start and forward again.
    for (int index = FileTypesPage; index >= WelcomePage; --index) {
        wizard.press(BackButton);
        ASSERT_TRUE(wizard.waitForPage(index));
    }
    for (int index = LicensePage; index <= SummaryPage; ++index) {
        wizard.press(NextButton);
        ASSERT_TRUE(wizard.waitForPage(index));
    }
    EXPECT_EQ(summary, wizard.text(1019));

    // Finish installs, starts the player and ends the installer with 0.
    wizard.press(FinishButton);
    DWORD code = 1;
    ASSERT_TRUE(installer.waitForExit(120000, code));
    EXPECT_EQ(0u, code);
    expectInstalledIn(DeepFolder);
    HWND player = waitForPlayerWindow(DeepFolder);
    EXPECT_NE(nullptr, player);

    // A second run proposes the folder of the first, and refuses to install
    // while the player runs from there.
    InstallerProcess again(InstallerExe);
    Wizard second(again);
    ASSERT_TRUE(second.find());
    ASSERT_TRUE(second.waitForPage(WelcomePage));
    second.press(NextButton);
    ASSERT_TRUE(second.waitForPage(LicensePage));
    second.click(AcceptButton);
    ASSERT_TRUE(waitUntil([&] { return second.isEnabled(NextButton); }));
    second.press(NextButton);
    ASSERT_TRUE(second.waitForPage(FolderPage));
    EXPECT_EQ(DeepFolder, second.text(FolderEdit));
    chooseOnlyMidiFiles(second);
    ASSERT_TRUE(second.waitForPage(SummaryPage));
    second.press(FinishButton);
    MessageBoxWindow running;
    ASSERT_TRUE(second.waitForMessageBox(running));
    EXPECT_EQ("Lorimund's Karaoke Player is running", running.caption);
    EXPECT_EQ("Lorimund's Karaoke Player appears to be running.  Please\nclose Lorimund's "
              "Karaoke Player before continuing.",
              running.text);
    ASSERT_TRUE(second.answer(running, IDOK));
    EXPECT_EQ(SummaryPage, second.pageIndex());

    // Once the player is closed, Finish installs over the earlier files.
    ASSERT_TRUE(closePlayer(player));
    second.press(FinishButton);
    ASSERT_TRUE(again.waitForExit(120000, code));
    EXPECT_EQ(0u, code);
    EXPECT_NE(nullptr, waitForPlayerWindow(DeepFolder));
    closePlayer(waitForPlayerWindow(DeepFolder));
}
