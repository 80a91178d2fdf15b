// The uninstaller after real installations, started as the system starts it:
// each scenario in a scratch Wine prefix of its own, with pictures of the
// whole machine (the user's and the machine's registry, drive C) before and
// after.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Driver.h"
#include "Expectations.h"
#include "MachineState.h"
#include "PreparedMachine.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

namespace {

const char* const UninstallEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko";
const char* const Caption = "Uninstall Lorimund's Karaoke Player";
const std::string ProgramFolder = DefaultFolder;

std::string entry(const char* name) {
    std::string value;
    regGetString(HKEY_LOCAL_MACHINE, UninstallEntry, name, value);
    return value;
}

// The registry trees that installing and uninstalling touch (the classes
// root lies in both software trees; a deletion left for the next restart is
// kept by the session manager), and every file of drive C. Wine's own
// settings change as programs run and are left out.
std::string machinePicture() {
    return registryPicture(HKEY_CURRENT_USER, "HKCU", "Software") +
           registryPicture(HKEY_LOCAL_MACHINE, "HKLM", "Software") +
           registryPicture(HKEY_LOCAL_MACHINE, "HKLM",
                           "System\\CurrentControlSet\\Control\\Session Manager") +
           folderPicture("C:\\", {"C:\\windows\\system32\\", "C:\\windows\\syswow64\\",
                                  "C:\\windows\\winsxs\\"});
}

// The difference, but for what stays by design.
std::string changedSince(const std::string& before) {
    std::vector<std::string> allowed = leftByDesign("HKLM\\Software\\Classes", "HKCU\\Software");
    allowed.push_back("HKCU\\Software\\Wine");
    return pictureDifference(before, machinePicture(), allowed);
}

std::string specialFolder(int id) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, id, nullptr, 0, path);
    return path;
}

// A Quick Launch folder as Internet Explorer made one, and its plug-ins
// folder: every choice of the installer then takes effect.
void offerEveryChoice() {
    std::string quickLaunch = specialFolder(CSIDL_APPDATA) + "\\Microsoft";
    for (const char* step : {"\\Internet Explorer", "\\Quick Launch"})
        CreateDirectoryA((quickLaunch += step).c_str(), nullptr);
    regSetString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups",
                 "Quick Launch", quickLaunch.c_str());
    CreateDirectoryA(iePluginsFolder().c_str(), nullptr);
}

// A program started from a command line, as the system's list of programs
// starts the uninstall commands: unquoted paths with blanks included.
class Started {
public:
    explicit Started(std::string commandLine) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_))
            process_ = PROCESS_INFORMATION();
    }
    ~Started() {
        if (!process_.hProcess)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    // Its exit code, -1 when it did not end in time; whether a window of it
    // became visible meanwhile.
    long exitCode(bool* showedWindow = nullptr, DWORD timeoutMs = 60000) {
        bool shown = false;
        for (DWORD start = GetTickCount();
             process_.hProcess && WaitForSingleObject(process_.hProcess, 10) == WAIT_TIMEOUT;) {
            shown = shown || visibleWindow() != nullptr;
            if (GetTickCount() - start > timeoutMs)
                return -1;
        }
        if (showedWindow)
            *showedWindow = shown;
        DWORD code = 0;
        return process_.hProcess && GetExitCodeProcess(process_.hProcess, &code)
                   ? static_cast<long>(code)
                   : -1;
    }
    // Waits for a message box, answers it with button; its caption and text.
    std::string answer(int button) {
        HWND box = nullptr;
        waitUntil([&] { return (box = visibleWindow()) && GetDlgItem(box, 0xFFFF); });
        if (!box)
            return "no message box";
        std::string seen = windowText(box) + "|" + windowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
        return seen;
    }

private:
    struct Search {
        DWORD processId;
        HWND found;
    };

    static BOOL CALLBACK findFirstVisible(HWND window, LPARAM param) {
        auto s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->processId || !IsWindowVisible(window))
            return TRUE;
        s->found = window;
        return FALSE;
    }

    HWND visibleWindow() const {
        Search search = {process_.dwProcessId, nullptr};
        EnumWindows(findFirstVisible, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_ = {};
};

long runSilently(const std::string& commandLine) {
    bool shown = true;
    long code = Started(commandLine).exitCode(&shown);
    EXPECT_FALSE(shown) << commandLine;
    return code;
}

// Wine carries out what was left for the next start of Windows.
void restartWindows() {
    char command[] = "wineboot.exe -r";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

const std::string InstallCommand = "\"" + std::string(InstallerExe) + "\"";

}  // namespace

// Installed twice, as a repair does: one uninstall removes both.
TEST(RoundTrip, EveryChoiceTwiceOnAFreshMachineThenTheQuietCommand) {
    offerEveryChoice();
    const std::string before = machinePicture();
    ASSERT_EQ(ExitSuccess, runSilently(InstallCommand + " /S"));
    ASSERT_EQ(ExitSuccess, runSilently(InstallCommand + " /S"));
    ASSERT_TRUE(pathExists(ProgramFolder + "\\Sample Playlist 2.kpl"));
    for (const std::string& made :
         {specialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Lorimund's Karaoke Player.lnk",
          entry("UninstallString"), iePluginsFolder() + "\\npmelko.dll"})
        ASSERT_TRUE(pathExists(made)) << made;
    std::string quickLaunch;
    ASSERT_TRUE(regGetString(HKEY_CURRENT_USER,
                             "SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Backup\\Shortcuts",
                             "QuickLaunch", quickLaunch));

    EXPECT_EQ(ExitSuccess, runSilently(entry("QuietUninstallString")));
    // Done when it says so: the folder has gone with the uninstaller in it.
    EXPECT_FALSE(pathExists(ProgramFolder));
    restartWindows();
    EXPECT_EQ("", changedSince(before));
}

TEST(RoundTrip, PreparedMachineGetsBackWhatOtherProgramsHad) {
    prepareMachine("C:\\Prepared\\");
    const std::string before = machinePicture();
    ASSERT_EQ(ExitSuccess, runSilently(InstallCommand + " /S"));
    for (const std::string& plugin : preparedPluginPaths("C:\\Prepared\\"))
        ASSERT_TRUE(pathExists(plugin)) << plugin;
    EXPECT_NE(before, machinePicture());

    Started uninstall(entry("UninstallString"));
    std::string question = uninstall.answer(IDYES);
    EXPECT_TRUE(contains(question, Caption) && contains(question, "player's settings stay"))
        << question;
    EXPECT_EQ(ExitSuccess, uninstall.exitCode());
    restartWindows();
    EXPECT_EQ("", changedSince(before));
}

TEST(Uninstall, RefusedWhileThePlayerRunsAndTheUsersFilesStay) {
    ASSERT_EQ(ExitSuccess, runSilently(InstallCommand + " /S /RUN"));
    HWND player = waitForPlayerWindow(ProgramFolder);
    ASSERT_NE(nullptr, player);
    const std::string installed = machinePicture();
    const std::string quiet = entry("QuietUninstallString"), asked = entry("UninstallString");

    EXPECT_EQ(ExitPlayerRunning, runSilently(quiet));
    Started refused(asked);
    refused.answer(IDYES);
    std::string running = refused.answer(IDOK);
    EXPECT_TRUE(contains(running, "Lorimund's Karaoke Player is running|")) << running;
    EXPECT_EQ(ExitPlayerRunning, refused.exitCode());
    ASSERT_TRUE(closePlayer(player));
    Started declined(asked);
    declined.answer(IDNO);
    EXPECT_EQ(ExitCancelled, declined.exitCode());
    EXPECT_EQ("", changedSince(installed));

    const std::string song = ProgramFolder + "\\My Song.kar";
    ASSERT_TRUE(writeFile(song, "the user's"));
    EXPECT_EQ(ExitSuccess, runSilently(quiet));
    const std::string left = folderPicture(ProgramFolder + "\\");
    EXPECT_TRUE(std::count(left.begin(), left.end(), '\n') == 2 && contains(left, (song + " 10 ").c_str()))
        << left;

    // Once more, from a copy: there is nothing left to do.
    const std::string removed = machinePicture();
    const std::string copy = specialFolder(CSIDL_COMMON_DOCUMENTS) + "\\remove.exe";
    ASSERT_TRUE(CopyFileA((std::string(LKP_PAYLOAD_FILES_DIR) + "\\remove.exe").c_str(),
                          copy.c_str(), FALSE));
    EXPECT_EQ(ExitSuccess, runSilently("\"" + copy + "\" /S"));
    DeleteFileA(copy.c_str());
    EXPECT_EQ("", changedSince(removed));
}
