#include "Driver.h"

#include <commctrl.h>

#include <vector>

#include "MessageBoxCatcher.h"

const char* const InstallerExe = LKP_INSTALLER_EXE;

namespace {

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

bool isDialog(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpA(name, "#32770") == 0;
}

bool isMessageBox(HWND window) { return isDialog(window) && GetDlgItem(window, 0xFFFF) != nullptr; }

// A named CALLBACK, not a lambda: a lambda converts only to a pointer of the
// default calling convention, which is not the stdcall that 32-bit Windows calls.
BOOL CALLBACK collectVisibleWindows(HWND window, LPARAM list) {
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

std::string windowText(HWND window) {
    char buffer[8192] = "";
    sendTo(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

Installer::Installer(const std::string& exePath, const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_))
        process_ = PROCESS_INFORMATION();
}

Installer::~Installer() {
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Installer::start(DWORD timeoutMs) {
    if (!process_.hProcess)
        return false;
    frame_ = findWindow(
        [](HWND window) { return isDialog(window) && GetDlgItem(window, NextButton); }, timeoutMs);
    return frame_ && waitForPage(WelcomePage);
}

long Installer::exitCode(DWORD timeoutMs) {
    DWORD code = 0;
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.hProcess, &code))
        return -1;
    return static_cast<long>(code);
}

HWND Installer::page() const {
    return reinterpret_cast<HWND>(sendTo(frame_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int Installer::pageIndex() const {
    HWND current = page();
    if (!current)
        return -1;
    return static_cast<int>(sendTo(frame_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
}

bool Installer::waitForPage(int index, DWORD timeoutMs) const {
    return waitUntil([&] { return pageIndex() == index; }, timeoutMs);
}

bool Installer::goTo(int index) const {
    for (int at = pageIndex(); at >= 0 && at < index; ++at) {
        if (at == LicensePage) {
            click(AcceptButton);
            if (!waitUntil([&] { return isEnabled(NextButton); }))
                return false;
        }
        if (!turn(NextButton, at + 1))
            return false;
    }
    return pageIndex() == index;
}

bool Installer::isChecked(int control) const {
    return sendTo(pageControl(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Installer::setText(int control, const std::string& text) const {
    sendTo(pageControl(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Installer::waitForFocus(HWND window) const {
    return waitUntil([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(process_.dwThreadId, &info) && info.hwndFocus == window;
    });
}

HWND Installer::findWindow(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            std::vector<HWND> windows;
            EnumThreadWindows(process_.dwThreadId, collectVisibleWindows,
                              reinterpret_cast<LPARAM>(&windows));
            for (HWND window : windows)
                if (wanted(window))
                    return (found = window) != nullptr;
            return false;
        },
        timeoutMs);
    return found;
}

MessageBoxWindow Installer::messageBox(DWORD timeoutMs) const {
    MessageBoxWindow box;
    box.window = findWindow(isMessageBox, timeoutMs);
    if (box.window) {
        box.text = windowText(GetDlgItem(box.window, 0xFFFF));
        box.caption = windowText(box.window);
        box.style = messageBoxStyle(box.window);
    }
    return box;
}

bool Installer::answer(const MessageBoxWindow& box, int button) const {
    HWND control = GetDlgItem(box.window, button);
    if (!control)
        return false;
    PostMessageA(control, BM_CLICK, 0, 0);
    return waitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

HWND Installer::otherDialog(DWORD timeoutMs) const {
    return findWindow(
        [this](HWND window) {
            return isDialog(window) && window != frame_ && !isMessageBox(window);
        },
        timeoutMs);
}

namespace {

struct WindowSearch {
    DWORD processId;
    bool visible;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM param) {
    auto search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->visible = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

UnattendedRun runUnattended(const std::string& arguments, const std::string& exePath,
                            DWORD timeoutMs) {
    UnattendedRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\" " + arguments;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return run;
    // A message box would wait for an answer that never comes: the time-out
    // ends it, and the window has been seen by then.
    bool ended = true;
    for (DWORD start = GetTickCount();
         WaitForSingleObject(process.hProcess, 5) == WAIT_TIMEOUT;) {
        WindowSearch search = {process.dwProcessId, false};
        EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
        run.showedWindow = run.showedWindow || search.visible;
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 10000);
            ended = false;
            break;
        }
    }
    DWORD code = 0;
    if (ended && GetExitCodeProcess(process.hProcess, &code))
        run.exitCode = static_cast<long>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
