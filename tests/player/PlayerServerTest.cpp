// The stand-in player of the payload as a DDE server, talked to as the shell
// talks to it. It and this thread share a desktop of their own, so that no
// other test's windows or DDE conversations meet it.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddeml.h>

#include <string>

#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "ddecommands.h"

namespace {

const int StatusControl = 100;  // the player's status line
const char* const PlainTitle = "Lorimund's Karaoke Player";

HDDEDATA CALLBACK clientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

std::string textOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

const char* const WineDesktops = "Software\\Wine\\Explorer\\Desktops";

// Puts this thread, before its first window, on a desktop of its own. Wine
// makes it a virtual desktop, as the prefix's default one is, only when it
// has a size: without one each window's close waits about two seconds.
struct PrivateDesktop {
    std::string name = "LkpPlayer" + std::to_string(GetCurrentProcessId());
    HDESK previous = GetThreadDesktop(GetCurrentThreadId());
    bool sized = regSetString(HKEY_CURRENT_USER, WineDesktops, name.c_str(), "640x480");
    HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    bool active = desktop != nullptr && SetThreadDesktop(desktop);
    ~PrivateDesktop() {  // the thread's windows must be gone by now
        if (active)
            SetThreadDesktop(previous);
        if (desktop)
            CloseDesktop(desktop);
        HKEY key;
        if (sized && RegOpenKeyExA(HKEY_CURRENT_USER, WineDesktops, 0, KEY_SET_VALUE, &key) == 0) {
            RegDeleteValueA(key, name.c_str());
            RegCloseKey(key);
        }
    }
};

// The payload's player on the private desktop, and a DDE client connected to
// it on the topic "System".
class PlayerServer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.active);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.lpDesktop = &desktop_.name[0];
        std::string exe = std::string(LKP_PAYLOAD_FILES_DIR) + "\\melko.exe";
        std::string commandLine = "\"" + exe + "\"";
        ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &process_));
        ASSERT_EQ(UINT(DMLERR_NO_ERROR),
                  DdeInitializeA(&dde_, clientCallback, APPCMD_CLIENTONLY, 0));
        service_ = DdeCreateStringHandleA(dde_, "melko", CP_WINANSI);
        // Polled rather than waited for input idle: the first window on a new
        // desktop waits for that desktop's shell, and that wait counts as idle.
        for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(20)) {
            EnumThreadWindows(process_.dwThreadId, findPlayerWindow,
                              reinterpret_cast<LPARAM>(&player_));
            if (player_ && (conversation_ = connect("System")) != nullptr)
                break;
        }
        ASSERT_NE(nullptr, player_);
        ASSERT_NE(nullptr, conversation_);
    }

    void TearDown() override {
        if (conversation_)
            DdeDisconnect(conversation_);
        if (dde_) {
            DdeFreeStringHandle(dde_, service_);
            DdeUninitialize(dde_);
        }
        if (!process_.hProcess)
            return;
        // A player that came through every test ends as asked, with code 0.
        PostMessageA(player_, WM_CLOSE, 0, 0);
        DWORD code = 1;
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process_.hProcess, 20000));
        EXPECT_TRUE(GetExitCodeProcess(process_.hProcess, &code) && code == 0) << code;
        TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    static BOOL CALLBACK findPlayerWindow(HWND window, LPARAM found) {
        char name[64] = "";
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpA(name, "LorimundKaraokeStandin") != 0)
            return TRUE;  // the DDE library's windows
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    HCONV connect(const char* topicName) {
        HSZ topic = DdeCreateStringHandleA(dde_, topicName, CP_WINANSI);
        HCONV conversation = DdeConnect(dde_, service_, topic, nullptr);
        DdeFreeStringHandle(dde_, topic);
        return conversation;
    }

    // The DDE error of an execute of these bytes: DMLERR_NO_ERROR when the
    // player acknowledged it.
    UINT execute(const std::string& bytes) {
        DWORD result = 0;
        HDDEDATA done = DdeClientTransaction(
            reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data())),
            static_cast<DWORD>(bytes.size()), conversation_, nullptr, 0, XTYP_EXECUTE, 10000,
            &result);
        return done ? UINT(DMLERR_NO_ERROR) : DdeGetLastError(dde_);
    }

    static std::string load(const std::string& path) { return "[load(\"" + path + "\")]"; }
    std::string title() const { return textOf(player_); }
    std::string status() const { return textOf(GetDlgItem(player_, StatusControl)); }

    HWND player_ = nullptr;
    PROCESS_INFORMATION process_ = {};

private:
    PrivateDesktop desktop_;
    DWORD dde_ = 0;
    HSZ service_ = nullptr;
    HCONV conversation_ = nullptr;
};

}  // namespace

TEST_F(PlayerServer, LoadsAndPlaysWhatTheFileTypesSend) {
    TempFolder dir;
    const std::string folder = dir / "Songs [live] (2)";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string kar = folder + "\\a, b.kar", mid = folder + "\\c.mid";
    ASSERT_TRUE(writeFile(kar, "MThd") && writeFile(mid, "MThd"));
    EXPECT_EQ(PlainTitle, title());

    EXPECT_EQ(UINT(DMLERR_NO_ERROR), execute(load(kar) + std::string(1, '\0')));
    EXPECT_EQ("a, b.kar - Lorimund's Karaoke Player", title());
    EXPECT_EQ("Loaded a, b.kar.", status());

    EXPECT_EQ(UINT(DMLERR_NO_ERROR), execute(load(mid) + "[play]" + std::string(1, '\0')));
    EXPECT_EQ("c.mid - Lorimund's Karaoke Player", title());
    EXPECT_EQ("Playing c.mid (a stand-in: no sound).", status());
}

// Each refusal comes back at once as "not processed", not as a time-out, and
// changes nothing; the player goes on serving.
TEST_F(PlayerServer, RefusesWhatItCannotDoAndGoesOn) {
    TempFolder dir;
    const std::string song = dir / "song.kar";
    ASSERT_TRUE(writeFile(song, "MThd"));
    EXPECT_EQ(nullptr, connect("song.kar"));  // only the topic "System"

    const std::string refused[] = {
        "[play]",  // nothing loaded yet
        load(dir / "missing.kar"),
        load(dir.path()),  // a folder
        load(dir / std::string(300, 'x')),
        load(song) + "[stop]",
        "[load(\"" + song + ")]",
        "[load(\"" + song + "\")",
        load(song) + std::string(PlayerMaxExecute, ' '),
    };
    for (const std::string& bytes : refused) {
        EXPECT_EQ(UINT(DMLERR_NOTPROCESSED), execute(bytes)) << bytes.substr(0, 80);
        EXPECT_EQ(PlainTitle, title());
    }
    EXPECT_EQ("Stand-in player: no song loaded.", status());

    EXPECT_EQ(UINT(DMLERR_NO_ERROR), execute(load(song) + "[play]"));
    EXPECT_EQ("song.kar - Lorimund's Karaoke Player", title());
    EXPECT_EQ(UINT(DMLERR_NOTPROCESSED), execute(load(dir / "missing.kar")));
    EXPECT_EQ("song.kar - Lorimund's Karaoke Player", title());
}
