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

UINT readStyle(HWND box) {
    UINT style = 0;
    IconSearch search;
    EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&search));
    if (search.icon) {
        if (search.icon == LoadIcon(nullptr, IDI_HAND))
            style |= MB_ICONERROR;
        else if (search.icon == LoadIcon(nullptr, IDI_QUESTION))
            style |= MB_ICONQUESTION;
        else if (search.icon == LoadIcon(nullptr, IDI_EXCLAMATION))
            style |= MB_ICONWARNING;
        else if (search.icon == LoadIcon(nullptr, IDI_ASTERISK))
            style |= MB_ICONINFORMATION;
    }
    bool ok = hasButton(box, IDOK), cancel = hasButton(box, IDCANCEL);
    bool yes = hasButton(box, IDYES), no = hasButton(box, IDNO);
    bool retry = hasButton(box, IDRETRY), abort = hasButton(box, IDABORT);
    if (yes && no && cancel)
        style |= MB_YESNOCANCEL;
    else if (yes && no)
        style |= MB_YESNO;
    else if (abort)
        style |= MB_ABORTRETRYIGNORE;
    else if (retry)
        style |= MB_RETRYCANCEL;
    else if (ok && cancel)
        style |= MB_OKCANCEL;
    else
        style |= MB_OK;
    // The default button is the one drawn as default: the n-th visible button.
    int order[] = {IDOK, IDYES, IDABORT, IDRETRY, IDNO, IDIGNORE, IDCANCEL};
    int index = 0;
    for (int id : order) {
        if (!hasButton(box, id))
            continue;
        if ((GetWindowLongA(GetDlgItem(box, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) {
            if (index == 1)
                style |= MB_DEFBUTTON2;
            else if (index == 2)
                style |= MB_DEFBUTTON3;
            break;
        }
        ++index;
    }
    return style;
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
