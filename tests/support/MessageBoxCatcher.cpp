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

// Each button set with its buttons in the order Windows lays them out, which
// is the order MB_DEFBUTTON1 to MB_DEFBUTTON3 count in.
struct ButtonSet {
    UINT type;
    std::vector<int> buttons;
};

const ButtonSet ButtonSets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
    {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},
};

bool isDefaultButton(HWND box, int id) {
    return (GetWindowLongA(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Icon handles are compared, so only the icon of a box of this process is told.
UINT iconStyle(HWND box) {
    IconSearch search;
    EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&search));
    const struct {
        LPCSTR icon;
        UINT style;
    } icons[] = {{IDI_HAND, MB_ICONERROR},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_EXCLAMATION, MB_ICONWARNING},
                 {IDI_ASTERISK, MB_ICONINFORMATION}};
    for (const auto& icon : icons)
        if (search.icon && search.icon == LoadIconA(nullptr, icon.icon))
            return icon.style;
    return 0;
}

std::string windowText(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

UINT messageBoxStyle(HWND box) {
    UINT style = iconStyle(box);
    std::vector<int> shown;
    for (int id = IDOK; id <= IDCONTINUE; ++id)
        if (hasButton(box, id))
            shown.push_back(id);
    for (const ButtonSet& set : ButtonSets) {
        std::vector<int> sorted = set.buttons;
        std::sort(sorted.begin(), sorted.end());
        if (sorted != shown)
            continue;
        for (size_t i = 0; i < set.buttons.size(); ++i)
            if (isDefaultButton(box, set.buttons[i]))
                return style | set.type | static_cast<UINT>(i << 8);
        return style | set.type | MB_DEFMASK;  // no default button
    }
    return style | MB_TYPEMASK | MB_DEFMASK;  // no set a message box can have
}

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
    // A thread sees only the windows of its own desktop, and the code under
    // test may run on one of its own.
    SetThreadDesktop(GetThreadDesktop(threadId_));
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
    caught.style = messageBoxStyle(box);
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
