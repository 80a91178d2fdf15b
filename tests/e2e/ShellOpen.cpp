// After an install, songs opened through the shell as a double-click opens
// them: the file types start the player and hand it the file by DDE. And
// what other programs send the player by DDE is input it may refuse.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddeml.h>
#include <objbase.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "Driver.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

namespace {

const std::string Folder = "C:\\Program Files\\Lorimund's Karaoke Player";
const std::string Player = Folder + "\\melko.exe";
const std::string TitleSuffix = " - Lorimund's Karaoke Player";
const int StatusControl = 100;  // the player's status line

struct PlayerWindow {
    HWND window;
    DWORD process;
};

BOOL CALLBACK collectPlayerWindow(HWND window, LPARAM list) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, "LorimundKaraokeStandin") == 0) {
        PlayerWindow player = {window, 0};
        GetWindowThreadProcessId(window, &player.process);
        reinterpret_cast<std::vector<PlayerWindow>*>(list)->push_back(player);
    }
    return TRUE;
}

std::vector<PlayerWindow> playerWindows() {
    std::vector<PlayerWindow> found;
    EnumWindows(collectPlayerWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

int runningPlayers() {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        count += lstrcmpiA(entry.szExeFile, "melko.exe") == 0;
    CloseHandle(snapshot);
    return count;
}

std::string imageOf(HANDLE process) {
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, path, &size))
        return std::string();
    return path;
}

std::string imageOf(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    std::string image = process ? imageOf(process) : std::string();
    if (process)
        CloseHandle(process);
    return image;
}

// The one player window; null when there is none or more than one.
HWND onlyPlayer() {
    std::vector<PlayerWindow> players = playerWindows();
    return players.size() == 1 ? players[0].window : nullptr;
}

bool closePlayers() {
    for (const PlayerWindow& player : playerWindows())
        PostMessageA(player.window, WM_CLOSE, 0, 0);
    return waitUntil([] { return runningPlayers() == 0; }, 30000);
}

// Installs through the wizard with every default but the browser plug-ins
// (Wine's browser refuses the Internet Explorer one with a message), then
// closes the player that the installer starts.
void installWithDefaults() {
    Installer installer;
    ASSERT_TRUE(installer.start());
    ASSERT_TRUE(installer.goTo(FileTypesPage));
    for (int plugin : {1019, 1020}) {
        if (installer.isChecked(plugin))
            installer.click(plugin);
        ASSERT_TRUE(waitUntil([&] { return !installer.isChecked(plugin); })) << plugin;
    }
    ASSERT_TRUE(installer.goTo(SummaryPage));
    installer.press(FinishButton);
    ASSERT_EQ(0, installer.exitCode(120000));
    ASSERT_TRUE(waitUntil([] { return onlyPlayer() != nullptr; }, 60000));
    ASSERT_EQ(Player, imageOf(playerWindows()[0].process));
    ASSERT_TRUE(closePlayers());
}

struct ShellResult {
    bool ok = false;
    DWORD error = 0;
    std::string started;  // the image of a process the shell started
};

// What Explorer does for a double-click (verb null, the default verb) or
// for a verb of the context menu.
ShellResult shellExecute(const std::string& file, const char* verb) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellResult result;
    result.ok = ShellExecuteExA(&info) != FALSE;
    result.error = result.ok ? 0 : GetLastError();
    if (info.hProcess) {
        result.started = imageOf(info.hProcess);
        CloseHandle(info.hProcess);
    }
    return result;
}

std::string textOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// ShellExecuteEx may hand work to COM objects: callers need an apartment.
struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
    ~ComApartment() { CoUninitialize(); }
};

std::string copyOf(const std::string& from, const std::string& to) {
    EXPECT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << to;
    return to;
}

HDDEDATA CALLBACK clientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// A DDE conversation with the running player, as any other program may hold.
// A connection is asked for by a broadcast that waits only a moment for each
// window; with patience it is asked again until the player answers (a busy
// machine, an emulated one above all, can make it miss the moment).
class Conversation {
public:
    explicit Conversation(const char* topicName, DWORD patienceMs = 0) {
        if (DdeInitializeA(&dde_, clientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
            return;
        HSZ service = DdeCreateStringHandleA(dde_, "melko", CP_WINANSI);
        HSZ topic = DdeCreateStringHandleA(dde_, topicName, CP_WINANSI);
        waitUntil(
            [&] { return (conversation_ = DdeConnect(dde_, service, topic, nullptr)) != nullptr; },
            patienceMs);
        DdeFreeStringHandle(dde_, service);
        DdeFreeStringHandle(dde_, topic);
    }
    ~Conversation() {
        if (conversation_)
            DdeDisconnect(conversation_);
        if (dde_)
            DdeUninitialize(dde_);
    }
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

    bool connected() const { return conversation_ != nullptr; }
    // DMLERR_NO_ERROR when the player acknowledged these bytes, else why not.
    UINT execute(const std::string& bytes) const {
        HDDEDATA done = DdeClientTransaction(
            reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data())),
            static_cast<DWORD>(bytes.size()), conversation_, nullptr, 0, XTYP_EXECUTE, 10000,
            nullptr);
        return done ? UINT(DMLERR_NO_ERROR) : DdeGetLastError(dde_);
    }

private:
    DWORD dde_ = 0;
    HCONV conversation_ = nullptr;
};

std::string load(const std::string& path) { return "[load(\"" + path + "\")]"; }

}  // namespace

TEST(ShellOpen, EachFileTypeOpensInTheOnePlayer) {
    ASSERT_NO_FATAL_FAILURE(installWithDefaults());
    ComApartment apartment;
    // The .midi and .rmi songs lie where quoting and brackets matter.
    const std::string songs = "C:\\Songs [2] (live), too";
    ASSERT_TRUE(CreateDirectoryA(songs.c_str(), nullptr));
    const std::string mid = Folder + "\\sample3.mid";
    const struct {
        std::string file;
        const char* verb;
        const char* name;
    } opens[] = {
        {Folder + "\\sample1.kar", "open", "sample1.kar"},  // starts the player
        {Folder + "\\sample8.kar", nullptr, "sample8.kar"},
        {mid, nullptr, "sample3.mid"},
        {copyOf(mid, songs + "\\one (1).midi"), nullptr, "one (1).midi"},
        {copyOf(mid, songs + "\\two [2].rmi"), nullptr, "two [2].rmi"},
        {songs + "\\two [2].rmi", "open", "two [2].rmi"},
    };
    DWORD playerProcess = 0;
    for (const auto& open : opens) {
        SCOPED_TRACE(open.file + (open.verb ? " with open" : " with the default verb"));
        ShellResult result = shellExecute(open.file, open.verb);
        ASSERT_TRUE(result.ok) << "error " << result.error;
        // The first open starts the player; every later one goes to it.
        EXPECT_EQ(playerProcess ? "" : Player, result.started);
        const std::string title = open.name + TitleSuffix;
        ASSERT_TRUE(waitUntil([&] { return textOf(onlyPlayer()) == title; }))
            << textOf(onlyPlayer());
        HWND player = onlyPlayer();
        DWORD process = 0;
        GetWindowThreadProcessId(player, &process);
        if (!playerProcess)
            playerProcess = process;
        EXPECT_EQ(playerProcess, process);
        EXPECT_EQ(1, runningPlayers());
        const std::string status = textOf(GetDlgItem(player, StatusControl));
        if (open.verb)
            EXPECT_EQ("Loaded " + std::string(open.name) + ".", status);
        else
            EXPECT_EQ("Playing " + std::string(open.name) + " (a stand-in: no sound).", status);
    }
    EXPECT_TRUE(closePlayers());
}

// The program folder is on no search path: only the application path that
// the installer registers leads the shell to it.
TEST(ShellOpen, BareNameFindsThePlayerThroughItsApplicationPath) {
    ASSERT_NO_FATAL_FAILURE(installWithDefaults());
    ComApartment apartment;
    ShellResult result = shellExecute("melko.exe", "open");
    ASSERT_TRUE(result.ok) << "error " << result.error;
    EXPECT_EQ(Player, result.started);
    EXPECT_TRUE(waitUntil([] { return onlyPlayer() != nullptr; }));
    EXPECT_TRUE(closePlayers());

    deleteRegistryTree(HKEY_LOCAL_MACHINE,
                       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Melko.exe");
    result = shellExecute("melko.exe", "open");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), result.error);
}

// The payload's player, started as the installer starts it, and sent what it
// cannot do: each comes back at once as "not processed" (not as a time-out)
// and changes nothing, and the player goes on serving and ends cleanly.
TEST(PlayerDde, RefusesWhatItCannotDoAndGoesOn) {
    const std::string exe = std::string(LKP_PAYLOAD_FILES_DIR) + "\\melko.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    CloseHandle(process.hThread);
    HWND player = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (player = onlyPlayer()) != nullptr; }));
    Conversation other("System", 30000);
    ASSERT_TRUE(other.connected());
    EXPECT_FALSE(Conversation("song.kar").connected());  // the topic "System" only

    TempFolder dir;
    const std::string song = dir / "song.kar";
    ASSERT_TRUE(writeFile(song, "MThd"));
    const std::string refused[] = {
        "[play]",  // nothing loaded yet
        load(dir / "missing.kar"),
        load(dir.path()),  // a folder
        load(dir / std::string(300, 'x')),
        load(song) + "[stop]",
        "[load(\"" + song + ")]",
        "[load(\"" + song + "\")",
        load(song) + std::string(5000, ' '),  // more than the player takes
    };
    for (const std::string& bytes : refused) {
        EXPECT_EQ(UINT(DMLERR_NOTPROCESSED), other.execute(bytes)) << bytes.substr(0, 80);
        EXPECT_EQ("Lorimund's Karaoke Player", textOf(player));
    }
    EXPECT_EQ("Stand-in player: no song loaded.", textOf(GetDlgItem(player, StatusControl)));

    // No NUL at the end: the length sent is the end.
    EXPECT_EQ(UINT(DMLERR_NO_ERROR), other.execute(load(song) + "[play]"));
    EXPECT_EQ("song.kar" + TitleSuffix, textOf(player));
    EXPECT_EQ(UINT(DMLERR_NOTPROCESSED), other.execute(load(dir / "missing.kar")));
    EXPECT_EQ("song.kar" + TitleSuffix, textOf(player));

    PostMessageA(player, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
    EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &code) && code == 0) << code;
    CloseHandle(process.hProcess);
}
