/* Stand-in for the karaoke player: a top-level window with the player's
   title, so the installer's "start the player" and "is the player running"
   paths meet a real process and a real window. It is also the DDE server
   that the installed file types expect: the shell starts it without the
   file and then sends [load("path")] or [load("path")][play] to the service
   "melko" on the topic "System". It plays nothing and says so. */
#include <windows.h>
#include <ddeml.h>

#include "ddecommands.h"

static const char WindowTitle[] = "Lorimund's Karaoke Player";
static const char ClassName[] = "LorimundKaraokeStandin";
static const char ServiceName[] = "melko";
static const char TopicName[] = "System";
enum { StatusControl = 100 };
#define Done ((HDDEDATA)(ULONG_PTR)DDE_FACK)
#define Refused ((HDDEDATA)(ULONG_PTR)DDE_FNOTPROCESSED)

static HWND playerWindow;
static HWND statusLine;
static DWORD ddeInstance;
static HSZ service;
static HSZ topic;
static char song[PlayerMaxPath]; /* the loaded file; empty before the first load */

static void showStatus(const char* first, const char* name, const char* last)
{
    char text[PlayerMaxPath + 128];
    lstrcpynA(text, first, sizeof text);
    lstrcatA(text, name);
    lstrcatA(text, last);
    SetWindowTextA(statusLine, text);
}

static BOOL loadSong(const char* path)
{
    char title[PlayerMaxTitle];
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    lstrcpynA(song, path, sizeof song);
    makePlayerTitle(song, title);
    SetWindowTextA(playerWindow, title);
    showStatus("Loaded ", playerFileName(song), ".");
    if (IsIconic(playerWindow))
        ShowWindow(playerWindow, SW_RESTORE);
    SetForegroundWindow(playerWindow);
    return TRUE;
}

static BOOL playSong(void)
{
    if (!song[0])
        return FALSE;
    showStatus("Playing ", playerFileName(song), " (a stand-in: no sound).");
    return TRUE;
}

/* Carries out an execute only when all of it parses; stops at the first
   command that cannot be done (a missing file, play with nothing loaded). */
static HDDEDATA execute(HDDEDATA data)
{
    char text[PlayerMaxExecute];
    PlayerCommand commands[PlayerMaxCommands];
    DWORD size = DdeGetData(data, NULL, 0, 0);
    int count, i;
    if (size == 0 || size > sizeof text || DdeGetData(data, (LPBYTE)text, size, 0) != size)
        return Refused;
    count = parsePlayerCommands(text, size, commands, PlayerMaxCommands);
    if (count == 0)
        return Refused;
    for (i = 0; i < count; ++i) {
        BOOL done = commands[i].verb == PlayerLoad ? loadSong(commands[i].path) : playSong();
        if (!done)
            return Refused;
    }
    return Done;
}

static HDDEDATA CALLBACK ddeCallback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                     HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2)
{
    (void)format;
    (void)conversation;
    (void)data1;
    (void)data2;
    switch (type) {
    case XTYP_CONNECT: /* hsz1 the topic, hsz2 the service */
        return (HDDEDATA)(ULONG_PTR)(DdeCmpStringHandles(hsz1, topic) == 0 &&
                                     DdeCmpStringHandles(hsz2, service) == 0);
    case XTYP_EXECUTE: /* only conversations on "System" get this far */
        return execute(data);
    }
    return NULL;
}

static BOOL startDdeServer(void)
{
    if (DdeInitializeA(&ddeInstance, ddeCallback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                           CBF_FAIL_REQUESTS | CBF_SKIP_ALLNOTIFICATIONS,
                       0) != DMLERR_NO_ERROR)
        return FALSE;
    service = DdeCreateStringHandleA(ddeInstance, ServiceName, CP_WINANSI);
    topic = DdeCreateStringHandleA(ddeInstance, TopicName, CP_WINANSI);
    return service && topic && DdeNameService(ddeInstance, service, NULL, DNS_REGISTER);
}

static void stopDdeServer(void)
{
    if (!ddeInstance)
        return;
    DdeNameService(ddeInstance, NULL, NULL, DNS_UNREGISTER);
    if (service)
        DdeFreeStringHandle(ddeInstance, service);
    if (topic)
        DdeFreeStringHandle(ddeInstance, topic);
    DdeUninitialize(ddeInstance);
    ddeInstance = 0;
}

static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        MoveWindow(statusLine, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    WNDCLASSA windowClass;
    MSG message;
    (void)previous;
    (void)commandLine; /* files come through DDE only, as the file types say */

    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassA(&windowClass))
        return 1;

    /* The server comes first: the shell connects as soon as the new process
       waits for input and gives up if no server answers then, and whoever
       finds the window may talk to it at once. */
    if (!startDdeServer()) {
        stopDdeServer();
        return 1;
    }
    playerWindow = CreateWindowExA(0, ClassName, WindowTitle, WS_OVERLAPPEDWINDOW,
                                   CW_USEDEFAULT, CW_USEDEFAULT, 480, 320,
                                   NULL, NULL, instance, NULL);
    if (!playerWindow) {
        stopDdeServer();
        return 1;
    }
    statusLine = CreateWindowExA(0, "STATIC", "Stand-in player: no song loaded.",
                                 WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE,
                                 0, 0, 0, 0, playerWindow, (HMENU)(INT_PTR)StatusControl,
                                 instance, NULL);
    ShowWindow(playerWindow, showCommand);
    UpdateWindow(playerWindow);

    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    stopDdeServer();
    return (int)message.wParam;
}
