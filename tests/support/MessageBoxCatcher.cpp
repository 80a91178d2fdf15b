#include "MessageBoxCatcher.h"

#include <algorithm>

namespace {

struct Found {
    std::vector<HWND> boxes;
};

BOOL CALLBACK collectDialogs(HWND window, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, 0xFFFF) != nullptr)
        reinterpret_cast<Found*>(param)->boxes.push_back(window);
    return TRUE;
}

struct IconSearch {
    HICON icon = nullptr;
};

BOOL CALLBACK findIcon(HWND child, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (_stricmp(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        reinterpret_cast<IconSearch*>(param)->icon =
            reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

bool hasButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button != nullptr && IsWindowVisible(button);
}

// The icon and the button set: the parts of the style that the installer's
// messages use.
UINT readStyle(HWND box) {
    IconSearch search;
    EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&search));
    UINT style = 0;
    if (search.icon == LoadIcon(nullptr, IDI_HAND))
        style = MB_ICONERROR;
    else if (search.icon == LoadIcon(nullptr, IDI_QUESTION))
        style = MB_ICONQUESTION;
    else if (search.icon == LoadIcon(nullptr, IDI_EXCLAMATION))
        style = MB_ICONWARNING;
    if (hasButton(box, IDYES))
        return style | MB_YESNO;
    return style | (hasButton(box, IDCANCEL) ? MB_OKCANCEL : MB_OK);
}

std::string windowText(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher(std::vector<int> answers, DWORD threadId)
    : MessageBoxCatcher(std::move(answers), nullptr, threadId) {}

MessageBoxCatcher::MessageBoxCatcher(std::vector<int> answers, BeforeAnswer beforeAnswer,
                                     DWORD threadId)
    : threadId_(threadId),
      answers_(std::move(answers)),
      beforeAnswer_(std::move(beforeAnswer)),
      watcher_([this] { watch(); }) {}

MessageBoxCatcher::~MessageBoxCatcher() {
    stop_ = true;
    watcher_.join();
}

std::vector<CaughtBox> MessageBoxCatcher::boxes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

void MessageBoxCatcher::watch() {
    while (!stop_) {
        Found found;
        EnumThreadWindows(threadId_, collectDialogs, reinterpret_cast<LPARAM>(&found));
        for (HWND box : found.boxes)
            if (std::find(seen_.begin(), seen_.end(), box) == seen_.end())
                handle(box);
        Sleep(2);
    }
}

void MessageBoxCatcher::handle(HWND box) {
    seen_.push_back(box);
    CaughtBox caught;
    caught.text = windowText(GetDlgItem(box, 0xFFFF));
    caught.caption = windowText(box);
    caught.owner = GetWindow(box, GW_OWNER);
    caught.style = readStyle(box);
    size_t index;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(caught);
        index = boxes_.size() - 1;
    }
    if (beforeAnswer_)
        beforeAnswer_(index, caught);
    int answer = 0;
    if (answered_ < answers_.size())
        answer = answers_[answered_++];
    else
        answer = hasButton(box, IDOK) ? IDOK : hasButton(box, IDCANCEL) ? IDCANCEL : IDNO;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}
