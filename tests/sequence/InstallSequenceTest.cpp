#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageBoxCatcher.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "app/Constants.h"
#include "app/Installer.h"

namespace {

// Records which steps the sequence calls, in order, without running them;
// folder creation and the program key are real.
class RecordingInstaller : public Installer {
public:
    using Installer::Installer;
    std::vector<std::string> calls;
    bool extractResult = true;

    bool extractPayload() override { calls.push_back("extractPayload"); return extractResult; }
    void registerUninstall() override { calls.push_back("registerUninstall"); }
    void importOldIniFile() override { calls.push_back("importOldIniFile"); }
    void writeSamplePlaylist() override { calls.push_back("writeSamplePlaylist"); }
    void cleanUpPreviousVersion() override { calls.push_back("cleanUpPreviousVersion"); }
    void registerFileTypes() override { calls.push_back("registerFileTypes"); }
    void installNetscapePlugin() override { calls.push_back("installNetscapePlugin"); }
    void installIePlugin() override { calls.push_back("installIePlugin"); }
    void setKaraokeCharSet() override { calls.push_back("setKaraokeCharSet"); }
    void createShortcuts() override { calls.push_back("createShortcuts"); }
    void createProgramGroups() override { calls.push_back("createProgramGroups"); }
};

const std::vector<std::string> AllSteps = {
    "extractPayload",        "registerUninstall", "importOldIniFile",  "writeSamplePlaylist",
    "cleanUpPreviousVersion", "registerFileTypes", "installNetscapePlugin", "installIePlugin",
    "setKaraokeCharSet",     "createShortcuts",   "createProgramGroups"};

class InstallSequenceTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    TempFolder dir;
    InstallOptions options;
};

}  // namespace

TEST_F(InstallSequenceTest, RunsEveryStepInOrderAndCreatesTheProgramKey) {
    options.folder = KString(("  " + (dir / "Karaoke") + " ").c_str());
    RecordingInstaller installer(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_STREQ((dir / "Karaoke\\").c_str(), installer.folder().chars());
    EXPECT_TRUE(installer.install());
    EXPECT_EQ(AllSteps, installer.calls);
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, PlayerKey.chars()));
    EXPECT_TRUE(pathExists(dir / "Karaoke"));
}

TEST_F(InstallSequenceTest, BrowserFlagsGateOnlyTheirOwnSteps) {
    options.folder = KString((dir / "K").c_str());
    options.internetExplorerPlugin = false;
    RecordingInstaller netscapeOnly(options, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(netscapeOnly.install());
    std::vector<std::string> expected = AllSteps;
    expected.erase(expected.begin() + 7);
    EXPECT_EQ(expected, netscapeOnly.calls);

    options.netscapePlugin = false;
    RecordingInstaller neither(options, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(neither.install());
    expected.erase(expected.begin() + 6);
    EXPECT_EQ(expected, neither.calls);
}

TEST_F(InstallSequenceTest, FailedExtractionEndsTheRun) {
    options.folder = KString((dir / "K").c_str());
    RecordingInstaller installer(options, GetModuleHandleA(nullptr), nullptr);
    installer.extractResult = false;
    EXPECT_FALSE(installer.install());
    EXPECT_EQ(std::vector<std::string>{"extractPayload"}, installer.calls);
}

TEST_F(InstallSequenceTest, UncreatableFolderIsReportedAndEndsTheRun) {
    std::string blocker = dir / "file.txt";
    writeFile(blocker, "a file where a folder should go");
    options.folder = KString((blocker + "\\Karaoke").c_str());
    HWND owner = CreateWindowA("STATIC", "page", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MessageBoxCatcher catcher;
    RecordingInstaller installer(options, GetModuleHandleA(nullptr), owner);
    EXPECT_FALSE(installer.install());
    EXPECT_TRUE(installer.calls.empty());
    auto boxes = catcher.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Could not create program folder.  Please choose a different\nfolder and try again.",
              boxes[0].text);
    EXPECT_EQ("Installation Error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_OK), boxes[0].style);
    EXPECT_EQ(owner, boxes[0].owner);
    DestroyWindow(owner);
    // Step 1 ran before the failure and stays done.
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, PlayerKey.chars()));
}

TEST(FolderTree, CreatesMissingLevelsOnly) {
    TempFolder dir;
    EXPECT_TRUE(createFolderTree(KString((dir / "a\\b\\c\\").c_str())));
    EXPECT_TRUE(pathExists(dir / "a\\b\\c"));
    EXPECT_TRUE(createFolderTree(KString((dir / "a\\b").c_str())));
    EXPECT_FALSE(createFolderTree(KString("Q:\\NoSuchDrive\\Karaoke")));
    writeFile(dir / "plain", "x");
    EXPECT_FALSE(createFolderTree(KString((dir / "plain\\sub\\deeper").c_str())));
    EXPECT_FALSE(pathExists(dir / "plain\\sub"));
}

TEST(RunPlayer, MissingPlayerIsNotReported) {
    TempFolder dir;
    InstallOptions options;
    options.folder = KString(dir.path().c_str());
    MessageBoxCatcher catcher;
    Installer(options, GetModuleHandleA(nullptr), nullptr).runPlayer();
    EXPECT_EQ(0u, catcher.count());
}

TEST(RunPlayer, StartsThePlayerWithoutWaiting) {
    TempFolder dir;
    ASSERT_TRUE(CopyFileA((std::string(LKP_PAYLOAD_FILES_DIR) + "\\melko.exe").c_str(),
                          (dir / "melko.exe").c_str(), FALSE));
    InstallOptions options;
    options.folder = KString(dir.path().c_str());
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    installer.runPlayer();
    HWND player = nullptr;
    for (int i = 0; i < 500 && !player; ++i, Sleep(20))
        player = FindWindowA(nullptr, "Lorimund's Karaoke Player");
    ASSERT_NE(nullptr, player);
    DWORD pid = 0;
    GetWindowThreadProcessId(player, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    PostMessageA(player, WM_CLOSE, 0, 0);
    if (process) {
        if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        CloseHandle(process);
    }
}
