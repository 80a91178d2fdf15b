// What a run without a person in front of it does with messages, the log, and
// the reasons an install did not happen.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "MessageBoxCatcher.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/InstallChecks.h"
#include "app/InstallLog.h"
#include "app/Installer.h"
#include "app/MessageBoxes.h"
#include "payload/PayloadEntry.h"

namespace {

// Every test leaves the program's run state as a fresh process has it.
class UnattendedRun : public ::testing::Test {
protected:
    ~UnattendedRun() override {
        setUnattended(false);
        runLog().close();
    }
    std::string logText() {
        runLog().close();
        std::string text;
        readFile(logPath, text);
        return text;
    }
    void openLog() { ASSERT_TRUE(runLog().open(logPath.c_str())); }

    TempFolder dir;
    const std::string logPath = dir / "setup.log";
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(UnattendedRun, NoBoxIsShownAndEachTakesTheAnswerThatChangesNothing) {
    const struct {
        UINT style;
        int answer;
    } cases[] = {{MB_OK | MB_ICONERROR, IDOK},
                 {MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL},
                 {MB_YESNO | MB_ICONWARNING, IDNO},
                 {MB_YESNOCANCEL, IDCANCEL},
                 {MB_RETRYCANCEL, IDCANCEL},
                 {MB_ABORTRETRYIGNORE, IDABORT}};
    openLog();
    setUnattended(true);
    MessageBoxCatcher catcher;
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, showMessageBox(nullptr, "Question?\nSecond line", "Caption", c.style))
            << c.style;
    Sleep(100);
    EXPECT_EQ(0u, catcher.count());
    std::string log = logText();
    EXPECT_TRUE(contains(log, "Message \"Caption\", not shown (silent), answered No:\r\n"
                              "    Question?\r\n    Second line\r\n"))
        << log;
}

TEST_F(UnattendedRun, ShownBoxIsLoggedWithTheUsersAnswer) {
    openLog();
    MessageBoxCatcher catcher({IDYES});
    EXPECT_EQ(IDYES, showMessageBox(nullptr, "Go on?", "Asked", MB_YESNO));
    ASSERT_EQ(1u, catcher.count());
    EXPECT_TRUE(contains(logText(), "Message \"Asked\", answered Yes:\r\n    Go on?\r\n"));
}

TEST_F(UnattendedRun, LogIsAppendedEntryByEntryWithTheTime) {
    writeFile(logPath, "an earlier run\r\n");
    openLog();
    runLog().write({"first ", nullptr, "entry"});
    runLog().close();
    runLog().write({"not written: the log is closed"});
    openLog();
    logExitCode(ExitPlayerRunning);
    const std::regex expected(
        "an earlier run\r\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  first entry\r\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  Finished with exit code 3: the player is "
        "running\r\n");
    std::string log = logText();
    EXPECT_TRUE(std::regex_match(log, expected)) << log;

    SYSTEMTIME time = {2026, 1, 0, 2, 3, 4, 5, 0};
    char stamp[32];
    EXPECT_EQ(21, logTimeStamp(time, stamp));
    EXPECT_STREQ("2026-01-02 03:04:05  ", stamp);
    EXPECT_FALSE(runLog().open((dir / "no such folder\\setup.log").c_str()));
}

TEST_F(UnattendedRun, OptionsAreDescribedInOneEntry) {
    InstallOptions options;
    options.folder = KString("D:\\Karaoke");
    EXPECT_STREQ("Options: folder D:\\Karaoke; shortcuts: desktop, Quick Launch; file types: "
                 ".mid, .midi, .kar, .rmi; plug-ins: Internet Explorer, Netscape",
                 describeOptions(options).chars());
    options.desktopShortcut = options.quickLaunchShortcut = false;
    options.associateMid = options.associateKar = options.associateRmi = false;
    options.internetExplorerPlugin = false;
    EXPECT_STREQ("Options: folder D:\\Karaoke; shortcuts: none; file types: .midi; plug-ins: "
                 "Netscape",
                 describeOptions(options).chars());
}

// The folder page's checks answer with the exit code of their refusal; the
// root question, asked of nobody, is answered No.
TEST_F(UnattendedRun, FolderChecksRefuseWithTheirCodes) {
    const std::string folder = dir.path().substr(0, dir.path().size() - 1);
    setUnattended(true);
    {
        MessageBoxCatcher catcher;
        EXPECT_EQ(ExitFolderUnusable, acceptTargetFolder(nullptr, KString("C:\\Songs*")));
        EXPECT_EQ(ExitFolderUnusable, acceptTargetFolder(nullptr, KString("C:")));
        EXPECT_EQ(ExitSuccess, acceptTargetFolder(nullptr, KString(folder.c_str())));
        EXPECT_EQ(ExitSuccess, checkAgreement(nullptr, GetModuleHandleA(nullptr)));
        EXPECT_EQ(ExitArchiveDamaged, checkAgreement(nullptr, GetModuleHandleA("kernel32.dll")));
        Sleep(100);
        EXPECT_EQ(0u, catcher.count());
    }

    setUnattended(false);
    MessageBoxCatcher asked({IDYES});
    EXPECT_EQ(ExitSuccess, acceptTargetFolder(nullptr, KString("C:")));
    EXPECT_EQ(1u, asked.count());
}

// Why an install returned false: the folder, a damaged resource, or a file
// that could not be written.
TEST_F(UnattendedRun, FailedInstallTellsWhy) {
    RegistrySandbox sandbox;
    setUnattended(true);
    InstallOptions options;
    writeFile(dir / "plain", "a file where a folder should go");
    options.folder = KString((dir / "plain\\Karaoke").c_str());
    Installer blocked(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(blocked.install());
    EXPECT_EQ(ExitFolderUnusable, blocked.failure());

    options.folder = KString((dir / "Karaoke").c_str());
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(createFolderTree(installer.folder()));
    PayloadEntry missing[2] = {PayloadManifest[5], {}};
    strcpy(missing[0].resourceName, "IDR_99");
    EXPECT_FALSE(installer.extractPayload(missing));
    EXPECT_EQ(ExitArchiveDamaged, installer.failure());
    PayloadEntry wrongSum[2] = {PayloadManifest[5], {}};
    wrongSum[0].fileChecksum ^= 1;
    EXPECT_FALSE(installer.extractPayload(wrongSum));
    EXPECT_EQ(ExitFileNotWritten, installer.failure());
}
