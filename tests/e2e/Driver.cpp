#include "Driver.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

const UINT ReplyTimeoutMs = 10000;

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, ReplyTimeoutMs,
                             &result))
        return 0;
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window))
        search.found.push_back(window);
    return TRUE;
}

// The visible top-level windows of a process.
std::vector<HWND> topLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool isDialog(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpA(name, "#32770") == 0;
}

bool isMessageBox(HWND window) {
    return isDialog(window) && GetDlgItem(window, 0xFFFF) != nullptr;
}

bool isWizardFrame(HWND window) {
    return isDialog(window) && GetDlgItem(window, NextButton) != nullptr;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

std::string windowText(HWND window) {
    char buffer[8192] = "";
    sendTo(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool isFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

InstallerProcess::InstallerProcess(const std::string& exePath) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_))
        process_ = PROCESS_INFORMATION();
}

InstallerProcess::~InstallerProcess() {
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool InstallerProcess::waitForExit(DWORD timeoutMs, DWORD& code) {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_.hProcess, &code) != 0;
}

bool Wizard::find(DWORD timeoutMs) {
    return waitUntil(
        [this] {
            for (HWND window : topLevelWindows(process_.id()))
                if (isWizardFrame(window)) {
                    frame_ = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
}

HWND Wizard::page() const {
    return reinterpret_cast<HWND>(sendTo(frame_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int Wizard::pageIndex() const {
    HWND current = page();
    if (!current)
        return -1;
    return static_cast<int>(sendTo(frame_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
}

bool Wizard::waitForPage(int index, DWORD timeoutMs) const {
    return waitUntil([&] { return pageIndex() == index; }, timeoutMs);
}

void Wizard::press(int frameButton) const {
    PostMessageA(GetDlgItem(frame_, frameButton), BM_CLICK, 0, 0);
}

void Wizard::click(int control) const {
    PostMessageA(pageControl(control), BM_CLICK, 0, 0);
}

bool Wizard::isEnabled(int frameButton) const {
    return IsWindowEnabled(GetDlgItem(frame_, frameButton)) != FALSE;
}

bool Wizard::isVisible(int frameButton) const {
    return IsWindowVisible(GetDlgItem(frame_, frameButton)) != FALSE;
}

bool Wizard::pageControlEnabled(int control) const {
    return IsWindowEnabled(pageControl(control)) != FALSE;
}

bool Wizard::isChecked(int control) const {
    return sendTo(pageControl(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Wizard::setText(int control, const std::string& text) const {
    sendTo(pageControl(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Wizard::text(int control) const {
    return windowText(pageControl(control));
}

HWND Wizard::focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(process_.threadId(), &info))
        return nullptr;
    return info.hwndFocus;
}

bool Wizard::waitForMessageBox(MessageBoxWindow& box, DWORD timeoutMs) const {
    return waitUntil(
        [&] {
            for (HWND window : topLevelWindows(process_.id()))
                if (isMessageBox(window)) {
                    box.window = window;
                    box.text = windowText(GetDlgItem(window, 0xFFFF));
                    box.caption = windowText(window);
                    return true;
                }
            return false;
        },
        timeoutMs);
}

bool Wizard::answer(const MessageBoxWindow& box, int button) const {
    HWND control = GetDlgItem(box.window, button);
    if (!control)
        return false;
    PostMessageA(control, BM_CLICK, 0, 0);
    return waitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

HWND Wizard::findOtherDialog(DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topLevelWindows(process_.id()))
                if (isDialog(window) && window != frame_ && !isMessageBox(window)) {
                    found = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}
