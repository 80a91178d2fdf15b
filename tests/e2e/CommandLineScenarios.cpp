// The installer started by deployment tools: its switches, exit codes and
// log. Each scenario runs in a scratch Wine prefix of its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "Driver.h"
#include "Expectations.h"
#include "InstalledState.h"
#include "RegistrySandbox.h"
#include "HeldFile.h"
#include "TempFolder.h"

namespace {

const char* const SpacedFolder = "C:\\Spaced Folder\\Karaoke Here";

std::string classOf(const char* extension) {
    std::string name;
    regGetString(HKEY_CLASSES_ROOT, extension, "", name);
    return name;
}

std::string userDesktopLink() {
    char desktop[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    return std::string(desktop) + "\\Lorimund's Karaoke Player.lnk";
}

std::string tempLog() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "karaoke204setup.log";
}

// A silent run that must end by itself without showing anything.
long runSilently(const std::string& arguments, const std::string& exe = InstallerExe) {
    UnattendedRun run = runUnattended(arguments, exe);
    EXPECT_FALSE(run.showedWindow) << arguments;
    return run.exitCode;
}

// Each line occurs in the log (its entries without their times).
void expectLines(const std::string& log, std::initializer_list<const char*> lines) {
    for (const char* line : lines)
        EXPECT_TRUE(contains(log, line)) << line << "\n" << log;
}

// compare-installs.sh compares what two ways of installing left behind.
void saveStateForComparison(const std::string& folder) {
    const char* file = std::getenv("LKP_STATE_FILE");
    if (file)
        ASSERT_TRUE(writeFile(file, installedState(folder)));
}

}  // namespace

// Both install the plug-in for the browser that Wine registers, whose
// plug-ins folder a real one would have.
TEST(SameChoices, SilentInstall) {
    ASSERT_TRUE(CreateDirectoryA(iePluginsFolder().c_str(), nullptr));
    EXPECT_EQ(ExitSuccess, runSilently("/S"));
    expectInstalledIn(DefaultFolder);
    EXPECT_EQ(nullptr, waitForPlayerWindow(DefaultFolder, 2000))
        << "a silent install started the player";
    EXPECT_FALSE(pathExists(tempLog()));  // no /LOG, no log
    saveStateForComparison(DefaultFolder);
}

TEST(SameChoices, WizardInstall) {
    ASSERT_TRUE(CreateDirectoryA(iePluginsFolder().c_str(), nullptr));
    Installer installer;
    ASSERT_TRUE(installer.start());
    ASSERT_TRUE(installer.goTo(SummaryPage));
    installer.press(FinishButton);
    EXPECT_EQ(ExitSuccess, installer.exitCode(120000));
    EXPECT_TRUE(closePlayer(waitForPlayerWindow(DefaultFolder)));
    saveStateForComparison(DefaultFolder);
}

TEST(CommandLine, SwitchesChooseWhatIsInstalled) {
    // Only two file types, nothing else, into a folder with blanks; a log
    // named in quotation marks.
    EXPECT_EQ(ExitSuccess, runSilently("/S /TYPES=kar,rmi /SHORTCUTS=none /PLUGINS=none "
                                       "\"/LOG=C:\\setup one.log\" /D=" +
                                       std::string(SpacedFolder)));
    expectInstalledIn(SpacedFolder);
    EXPECT_EQ("Lorimund.MIDI", classOf(".kar"));
    EXPECT_EQ("Lorimund.MIDI", classOf(".rmi"));
    EXPECT_NE("Lorimund.MIDI", classOf(".mid"));
    EXPECT_FALSE(pathExists(userDesktopLink()));
    EXPECT_FALSE(pathExists(iePluginsFolder() + "\\npmelko.dll"));
    std::string log = contentOf("C:\\setup one.log");
    expectLines(
        log,
        {"installer, silent run. Arguments: /S /TYPES=kar,rmi /SHORTCUTS=none /PLUGINS=none "
         "\"/LOG=C:\\setup one.log\" /D=C:\\Spaced Folder\\Karaoke Here\r\n",
         "  Options: folder C:\\Spaced Folder\\Karaoke Here; shortcuts: none; file types: .kar, "
         ".rmi; plug-ins: none\r\n",
         "  Step \"extract the payload\": done\r\n",
         "  Step \"install the Internet Explorer plug-in\": skipped (not chosen)\r\n",
         "  Step \"create the program group\": done\r\n",
         "  Finished with exit code 0: installed\r\n"});

    // The choices change; what is no longer chosen is given back. /RUN
    // starts the player.
    EXPECT_EQ(ExitSuccess,
              runSilently("-s -types=MID -shortcuts=desktop -run /d=" + std::string(SpacedFolder)));
    EXPECT_EQ("Lorimund.MIDI", classOf(".mid"));
    EXPECT_NE("Lorimund.MIDI", classOf(".kar"));
    EXPECT_TRUE(pathExists(userDesktopLink()));
    EXPECT_TRUE(closePlayer(waitForPlayerWindow(SpacedFolder)));

    // The plug-in where its browser is; Netscape is not here, so it is off.
    // The folder is the earlier installation's, and /LOG alone logs to %TEMP%.
    ASSERT_TRUE(CreateDirectoryA(iePluginsFolder().c_str(), nullptr));
    EXPECT_EQ(ExitSuccess, runSilently("/S /LOG /PLUGINS=ie,netscape /TYPES=none"));
    EXPECT_TRUE(pathExists(iePluginsFolder() + "\\npmelko.dll"));
    EXPECT_NE("Lorimund.MIDI", classOf(".mid"));
    log = contentOf(tempLog());
    expectLines(log, {"  No Netscape Navigator 3.0 or later here: no plug-in for it.\r\n",
                      "  Options: folder C:\\Spaced Folder\\Karaoke Here; shortcuts: desktop; "
                      "file types: none; plug-ins: Internet Explorer\r\n",
                      "  Step \"install the Netscape plug-in\": skipped (not chosen)\r\n"});

    // A plug-in file in use: the prompt nobody sees is answered Cancel, the
    // copy fails as it would after Cancel, and the install goes on.
    {
        HeldFile plugin(iePluginsFolder() + "\\npmelko.dll");
        ASSERT_TRUE(plugin.held());
        EXPECT_EQ(ExitSuccess, runSilently("/S /PLUGINS=ie /LOG=C:\\busy.log"));
    }
    log = contentOf("C:\\busy.log");
    expectLines(
        log,
        {"  Message \"Please close Internet Explorer\", not shown (silent), answered Cancel:\r\n"
         "    Internet Explorer appears to be running.  Please close all Internet Explorer "
         "windows\r\n    or the plug-in for Internet Explorer cannot be installed.\r\n",
         "  Message \"Internet Explorer plug-in installation error\", not shown (silent), "
         "answered OK:\r\n    The plug-in for Internet Explorer could not be installed.\r\n",
         "  Step \"create the program group\": done\r\n",
         "  Finished with exit code 0: installed\r\n"});
}

TEST(CommandLine, RefusalsHaveTheirCodesAndLeaveTheMachineUnchanged) {
    const std::string damagedAgreement =
        damagedCopy(contentOf(LKP_LICENSE_FILE), "damaged-agreement.exe");
    ASSERT_FALSE(damagedAgreement.empty());
    const struct {
        std::string arguments;
        long code;
        std::string exe;
    } refusals[] = {
        {"/S /D=C:\\bad*folder", ExitFolderUnusable, InstallerExe},
        {"/S /D=C:\\", ExitFolderUnusable, InstallerExe},
        {"/S /LOG=C:\\refused.log /D=C:", ExitFolderUnusable, InstallerExe},
        {"/S /UNKNOWN", ExitBadCommandLine, InstallerExe},
        {"/S /TYPES=wav", ExitBadCommandLine, InstallerExe},
        {"/S /D=C:\\Games /RUN", ExitBadCommandLine, InstallerExe},
        {"/S \"/LOG=C:\\no such folder\\setup.log\"", ExitBadCommandLine, InstallerExe},
        {"/S", ExitArchiveDamaged, damagedAgreement},
    };
    for (const auto& refusal : refusals) {
        EXPECT_EQ(refusal.code, runSilently(refusal.arguments, refusal.exe)) << refusal.arguments;
        EXPECT_TRUE(nothingInstalled()) << refusal.arguments;
        EXPECT_FALSE(pathExists("C:\\Games")) << refusal.arguments;
        EXPECT_FALSE(regKeyExists(
            HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko"));
    }
    std::string log = contentOf("C:\\refused.log");
    expectLines(
        log, {"  Options: folder C:; shortcuts: desktop; file types: .mid, .midi, .kar, .rmi; "
              "plug-ins: Internet Explorer\r\n",
              "  Message \"Target Folder\", not shown (silent), answered No:\r\n"
              "    Do you really want to install Lorimund's Karaoke Player to the root folder\r\n"
              "    of drive C:? Note:",
              "  Finished with exit code 5: the folder cannot be used or created\r\n"});
    EXPECT_FALSE(contains(log, "Step ")) << log;

    // A damaged payload stream is found while extracting.
    const std::string damagedStream =
        damagedCopy(contentOf(LKP_LAST_STREAM_FILE), "damaged-stream.exe");
    ASSERT_FALSE(damagedStream.empty());
    EXPECT_EQ(ExitArchiveDamaged, runSilently("/S /LOG=C:\\stream.log", damagedStream));
    log = contentOf("C:\\stream.log");
    expectLines(log, {"  Message \"Installation Archive Error\", not shown (silent), "
                      "answered OK:\r\n    This installation archive appears to be corrupt.",
                      "  Step \"extract the payload\": failed\r\n",
                      "  Finished with exit code 6: the installer's archive is damaged\r\n"});
    EXPECT_FALSE(contains(log, "register the uninstaller")) << log;
}

TEST(CommandLine, RunningPlayerIsRefusedAndTheLogSaysWhatIsInUse) {
    ASSERT_EQ(ExitSuccess, runSilently("/S /RUN"));
    HWND player = waitForPlayerWindow(DefaultFolder);
    ASSERT_NE(nullptr, player);
    EXPECT_EQ(ExitPlayerRunning, runSilently("/S /LOG=C:\\running.log"));
    ASSERT_TRUE(closePlayer(player));
    std::string log = contentOf("C:\\running.log");
    expectLines(log, {"  The player is running: melko.exe is in use.\r\n",
                      "  Message \"Lorimund's Karaoke Player is running\", not shown "
                      "(silent), answered OK:\r\n"
                      "    Lorimund's Karaoke Player appears to be running.  Please\r\n"
                      "    close Lorimund's Karaoke Player before continuing.\r\n",
                      "  Finished with exit code 3: the player is running\r\n"});
    EXPECT_FALSE(contains(log, "reboot")) << log;

    // A player window, and only a library of the installed player in use.
    HWND window = CreateWindowA("STATIC", "Lorimund's Karaoke Player", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
    {
        HeldFile library(std::string(DefaultFolder) + "\\tonal95.dll");
        ASSERT_TRUE(library.held());
        EXPECT_EQ(ExitPlayerRunning, runSilently("/S /LOG=C:\\library.log"));
    }
    DestroyWindow(window);
    log = contentOf("C:\\library.log");
    expectLines(log, {"  The player's window is open and one of its libraries is in use",
                      "    please reboot your machine and try installing again.\r\n"});
    EXPECT_EQ(ExitSuccess, runSilently("/S"));
}

TEST(CommandLine, InteractiveHelpRefusalAndPresets) {
    {
        Installer help(InstallerExe, "/?");
        MessageBoxWindow box = help.messageBox();
        EXPECT_EQ("Lorimund's Karaoke Player Installer", box.caption);
        EXPECT_TRUE(contains(box.text, "/S  -  install silently")) << box.text;
        EXPECT_TRUE(contains(box.text, "3  -  the player is running")) << box.text;
        ASSERT_TRUE(help.answer(box, IDOK));
        EXPECT_EQ(ExitSuccess, help.exitCode());
    }
    {
        Installer refused(InstallerExe, "/TYPES=mid /X");
        MessageBoxWindow box = refused.messageBox();
        EXPECT_EQ("Lorimund's Karaoke Player Installer", box.caption);
        EXPECT_TRUE(contains(box.text, "The argument \"/X\" is not understood.")) << box.text;
        ASSERT_TRUE(refused.answer(box, IDOK));
        EXPECT_EQ(ExitBadCommandLine, refused.exitCode());
    }
    // The switches preset the wizard's controls; the user can still change them.
    Installer installer(InstallerExe,
                        "/TYPES=kar /SHORTCUTS=none /PLUGINS=none /D=C:\\Preset Folder");
    ASSERT_TRUE(installer.start());
    ASSERT_TRUE(installer.goTo(FolderPage));
    EXPECT_EQ("C:\\Preset Folder", installer.text(FolderEdit));
    EXPECT_FALSE(installer.isChecked(1013));
    ASSERT_TRUE(installer.turn(NextButton, FileTypesPage));
    EXPECT_TRUE(installer.isChecked(1015));
    for (int control : {1016, 1017, 1018, 1019, 1020})
        EXPECT_FALSE(installer.isChecked(control)) << control;
    installer.click(1017);
    ASSERT_TRUE(waitUntil([&] { return installer.isChecked(1017); }));
    ASSERT_TRUE(installer.turn(NextButton, SummaryPage));
    EXPECT_EQ(
        "Install program to C:\\Preset Folder\r\n\r\nFile-types to associate with "
        "Lorimund's Karaoke Player:\r\n    Associate MIDI files (*.mid)\r\n    Associate "
        "Karaoke files (*.kar)\r\n",
        installer.text(1019));
    installer.press(IDCANCEL);
    ASSERT_TRUE(installer.answer(installer.messageBox(), IDYES));
    EXPECT_EQ(ExitCancelled, installer.exitCode());
    EXPECT_FALSE(pathExists("C:\\Preset Folder"));
}

// Started by tests/packaging/sign-and-install.sh with a signed copy of the
// installer and the switches of the package manager's manifest.
TEST(Manifest, SignedInstallerInstallsWithTheManifestsSwitches) {
    const char* exe = std::getenv("LKP_SIGNED_INSTALLER");
    const char* arguments = std::getenv("LKP_INSTALL_ARGUMENTS");
    const char* folder = std::getenv("LKP_INSTALL_FOLDER");
    const char* log = std::getenv("LKP_INSTALL_LOG");
    if (!exe || !arguments || !folder || !log)
        GTEST_SKIP() << "run by tests/packaging/sign-and-install.sh";
    EXPECT_EQ(ExitSuccess, runSilently(arguments, exe));
    expectInstalledIn(folder);
    EXPECT_TRUE(contains(contentOf(log), "  Finished with exit code 0: installed\r\n"));
}
