// The scenarios, each run in a scratch Wine prefix of its own.
#include <gtest/gtest.h>

#include <string>

#include "Driver.h"
#include "Expectations.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

namespace {

const char* const DeepFolder = "C:\\Deep Folder\\Level Two\\Level Three\\Lorimund's Karaoke Player";

const std::string RunningText =
    "Lorimund's Karaoke Player appears to be running.  Please\n"
    "close Lorimund's Karaoke Player before continuing.";
const std::string RebootNote =
    "  If \nLorimund's Karaoke Player is not currently running,\n"
    "please reboot your machine and try installing again.";

// The buttons of a box of the installer and its default one; its icon cannot
// be told from another process.
UINT buttonsOf(const MessageBoxWindow& box) { return box.style & (MB_TYPEMASK | MB_DEFMASK); }

bool showsText(const Installer& installer, int control, const char* part) {
    return waitUntil([&] { return contains(installer.text(control), part); });
}

void untick(const Installer& installer, int control) {
    if (installer.isChecked(control)) {
        installer.click(control);
        EXPECT_TRUE(waitUntil([&] { return !installer.isChecked(control); })) << control;
    }
}

// From the folder page: only the two MIDI file types, then on to the summary.
void chooseOnlyMidiFiles(const Installer& installer) {
    untick(installer, 1013);  // the shortcuts
    untick(installer, 1014);
    ASSERT_TRUE(installer.turn(NextButton, FileTypesPage));
    for (int control : {1015, 1016, 1019, 1020})  // .kar, .rmi, the two plug-ins
        untick(installer, control);
    EXPECT_TRUE(installer.isChecked(1017));
    EXPECT_TRUE(installer.isChecked(1018));
    ASSERT_TRUE(installer.turn(NextButton, SummaryPage));
}

// Types folder, presses Next and returns the folder page's message box.
MessageBoxWindow refusedFolder(const Installer& installer, const std::string& folder) {
    installer.setText(FolderEdit, folder);
    installer.press(NextButton);
    MessageBoxWindow box = installer.messageBox();
    EXPECT_EQ("Target Folder", box.caption) << folder;
    return box;
}

void expectLicenceButtons(const Installer& installer, bool nextAllowed) {
    EXPECT_TRUE(waitUntil([&] { return installer.isEnabled(NextButton) == nextAllowed; }))
        << "Next should be " << (nextAllowed ? "enabled" : "disabled");
    EXPECT_TRUE(installer.isEnabled(BackButton));
}

}  // namespace

TEST(InstallFlow, WalksEveryPageValidatesTheFolderAndInstalls) {
    Installer installer;
    ASSERT_TRUE(installer.start());
    EXPECT_TRUE(showsText(installer, 1020, "Click \"Next\" to begin.")) << installer.text(1020);
    EXPECT_TRUE(installer.waitForFocus(installer.frameButton(NextButton)));
    EXPECT_FALSE(installer.isEnabled(BackButton));

    // Licence: the agreement unchanged; Next only while it is accepted, and
    // the choice survives a trip back.
    ASSERT_TRUE(installer.turn(NextButton, LicensePage));
    EXPECT_EQ(contentOf(LKP_LICENSE_FILE), installer.text(1010));
    EXPECT_FALSE(installer.isChecked(AcceptButton));
    EXPECT_FALSE(installer.isChecked(RejectButton));
    for (int button : {0, AcceptButton, RejectButton}) {
        if (button)
            installer.click(button);
        expectLicenceButtons(installer, button == AcceptButton);
    }
    ASSERT_TRUE(installer.turn(BackButton, WelcomePage));
    ASSERT_TRUE(installer.turn(NextButton, LicensePage));
    EXPECT_TRUE(installer.isChecked(RejectButton));
    expectLicenceButtons(installer, false);

    // Target folder: the default; an invalid folder; a bare drive answered
    // No, then Yes; each refusal leaves the focus in the edit.
    ASSERT_TRUE(installer.goTo(FolderPage));
    EXPECT_EQ(DefaultFolder, installer.text(FolderEdit));
    EXPECT_TRUE(installer.waitForFocus(installer.frameButton(NextButton)));
    const struct {
        const char* typed;
        const char* says;
        UINT buttons;
        int answer;
    } refusals[] = {{"C:\\Songs*", "The target folder you specified is invalid.", MB_OK, IDOK},
                    {"  c:\\ ", "to the root folder\nof drive c:?", MB_YESNO, IDNO}};
    for (const auto& refusal : refusals) {
        MessageBoxWindow box = refusedFolder(installer, refusal.typed);
        EXPECT_TRUE(contains(box.text, refusal.says)) << box.text;
        EXPECT_EQ(refusal.buttons, buttonsOf(box)) << refusal.typed;
        ASSERT_TRUE(installer.answer(box, refusal.answer));
        EXPECT_EQ(FolderPage, installer.pageIndex());
        EXPECT_TRUE(installer.waitForFocus(installer.pageControl(FolderEdit)));
    }
    ASSERT_TRUE(installer.answer(refusedFolder(installer, "c:\\"), IDYES));
    ASSERT_TRUE(installer.waitForPage(FileTypesPage));

    // Back keeps what was typed; the deep folder goes through.
    ASSERT_TRUE(installer.turn(BackButton, FolderPage));
    EXPECT_EQ("c:\\", installer.text(FolderEdit));
    installer.setText(FolderEdit, DeepFolder);
    chooseOnlyMidiFiles(installer);
    const std::string summary = std::string("Install program to ") + DeepFolder +
                                "\r\n\r\nFile-types to associate with Lorimund's Karaoke "
                                "Player:\r\n    Associate MIDI files (*.mid, *.midi)\r\n";
    EXPECT_EQ(summary, installer.text(1019));
    EXPECT_TRUE(installer.waitForFocus(installer.frameButton(FinishButton)));
    EXPECT_TRUE(showsText(installer, 1020, "hit \"Finish\".")) << installer.text(1020);

    // Back across every page to the start and forward again.
    for (int index = FileTypesPage; index >= WelcomePage; --index) {
        ASSERT_TRUE(installer.turn(BackButton, index));
    }
    ASSERT_TRUE(installer.goTo(SummaryPage));
    EXPECT_EQ(summary, installer.text(1019));

    installer.press(FinishButton);
    EXPECT_EQ(0, installer.exitCode(120000));
    expectInstalledIn(DeepFolder);
    HWND player = waitForPlayerWindow(DeepFolder);
    ASSERT_NE(nullptr, player);

    // A second run proposes the folder of the first, and refuses to install
    // while the player runs from there; once it is closed, Finish installs.
    Installer again;
    ASSERT_TRUE(again.start());
    ASSERT_TRUE(again.goTo(FolderPage));
    EXPECT_EQ(DeepFolder, again.text(FolderEdit));
    chooseOnlyMidiFiles(again);
    again.press(FinishButton);
    MessageBoxWindow running = again.messageBox();
    EXPECT_EQ("Lorimund's Karaoke Player is running", running.caption);
    EXPECT_EQ(RunningText, running.text);
    EXPECT_EQ(UINT(MB_OK), buttonsOf(running));
    ASSERT_TRUE(again.answer(running, IDOK));
    EXPECT_EQ(SummaryPage, again.pageIndex());
    ASSERT_TRUE(closePlayer(player));

    // A player window, and only a library of the folder in use: the text
    // adds the reboot note.
    HWND other = CreateWindowA("STATIC", "Lorimund's Karaoke Player", WS_OVERLAPPEDWINDOW, 0, 0,
                               100, 100, nullptr, nullptr, nullptr, nullptr);
    HANDLE library = CreateFileA((std::string(DeepFolder) + "\\tonal95.dll").c_str(),
                                 GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, library);
    again.press(FinishButton);
    MessageBoxWindow onlyLibrary = again.messageBox();
    CloseHandle(library);
    DestroyWindow(other);
    EXPECT_EQ("Lorimund's Karaoke Player is running", onlyLibrary.caption);
    EXPECT_EQ(RunningText + RebootNote, onlyLibrary.text);
    EXPECT_EQ(UINT(MB_OK), buttonsOf(onlyLibrary));
    ASSERT_TRUE(again.answer(onlyLibrary, IDOK));
    EXPECT_EQ(SummaryPage, again.pageIndex());
    again.press(FinishButton);
    EXPECT_EQ(0, again.exitCode(120000));
    EXPECT_TRUE(closePlayer(waitForPlayerWindow(DeepFolder)));
}

TEST(Cancel, NoStaysOnEveryPageAndYesEndsWithNothingInstalled) {
    Installer installer;
    ASSERT_TRUE(installer.start());
    for (int index = WelcomePage; index <= SummaryPage; ++index) {
        ASSERT_TRUE(installer.goTo(index));
        installer.press(IDCANCEL);
        MessageBoxWindow box = installer.messageBox();
        EXPECT_EQ("Abort Installation", box.caption);
        EXPECT_EQ("Are you sure you want to abort the installation of Lorimund's Karaoke Player?",
                  box.text);
        EXPECT_EQ(UINT(MB_YESNO), buttonsOf(box)) << "page " << index;
        ASSERT_TRUE(installer.answer(box, IDNO)) << "page " << index;
        EXPECT_TRUE(installer.waitForPage(index)) << index;
    }
    installer.press(IDCANCEL);
    ASSERT_TRUE(installer.answer(installer.messageBox(), IDYES));
    EXPECT_EQ(ExitCancelled, installer.exitCode());
    EXPECT_TRUE(nothingInstalled());
}

// A copy of the installer whose agreement differs by a single byte from the
// one it was built with.
TEST(DamagedArchive, AgreementWithOneChangedByteEndsWithTheArchiveMessage) {
    const std::string damaged = damagedCopy(contentOf(LKP_LICENSE_FILE), "damaged-setup.exe");
    ASSERT_FALSE(damaged.empty());

    Installer installer(damaged);
    ASSERT_TRUE(installer.start());
    installer.press(NextButton);
    MessageBoxWindow box = installer.messageBox();
    EXPECT_EQ("Installation Archive Error", box.caption);
    EXPECT_EQ("This installation archive appears to be corrupt.  Please try downloading\n"
              "Lorimund's Karaoke Player from https://www.lorimund.example/.",
              box.text);
    EXPECT_EQ(UINT(MB_OK), buttonsOf(box));
    ASSERT_TRUE(installer.answer(box, IDOK));
    EXPECT_EQ(ExitArchiveDamaged, installer.exitCode());
    EXPECT_TRUE(nothingInstalled());
}

// Browse proposes the product's folder below the folder chosen; a cancelled
// browser leaves the edit alone.
TEST(FolderBrowse, ChosenFolderGetsTheProductFolderOnce) {
    Installer installer;
    ASSERT_TRUE(installer.start());
    ASSERT_TRUE(installer.goTo(FolderPage));
    // The product's folder that does not exist yet opens the browser on its
    // parent, so OK there gives the same folder again.
    const char* const proposed = "C:\\windows\\Lorimund's Karaoke Player";
    const struct {
        const char* typed;
        int button;
        const char* expected;
    } browses[] = {{"C:\\windows", IDOK, proposed},
                   {nullptr, IDOK, proposed},
                   {"C:\\users", IDCANCEL, "C:\\users"}};
    for (const auto& browse : browses) {
        if (browse.typed)
            installer.setText(FolderEdit, browse.typed);
        installer.click(BrowseButton);
        HWND browser = installer.otherDialog();
        ASSERT_NE(nullptr, browser);
        Sleep(1000);  // OK before the browser has selected its start folder takes another
        PostMessageA(GetDlgItem(browser, browse.button), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(browser); }, 30000));
        const std::string expected = browse.expected;
        EXPECT_TRUE(waitUntil([&] { return installer.text(FolderEdit) == expected; }))
            << installer.text(FolderEdit);
    }
}
