// Catches the real message boxes that the code under test shows on this
// thread: a watcher thread reads each box's text, caption, owner, icon and
// buttons, then presses the answer the test chose.
#ifndef LKP_TESTS_MESSAGEBOXCATCHER_H
#define LKP_TESTS_MESSAGEBOXCATCHER_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct CaughtBox {
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    // The style as read back from the box (messageBoxStyle).
    UINT style = 0;
};

// A message box's style as read back from its window: the icon, the button
// set and the default button, for instance MB_ICONERROR | MB_OK, or
// MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2. The icon is told for a box of
// this process only (0 for another's); a box without a default button reads
// MB_DEFMASK, one whose buttons form no set MB_TYPEMASK as well.
UINT messageBoxStyle(HWND box);

class MessageBoxCatcher {
public:
    // answers: the button id pressed on each box in turn (IDOK, IDYES, ...);
    // when they run out, OK is pressed, or Cancel, or No.
    explicit MessageBoxCatcher(std::vector<int> answers = {},
                               DWORD threadId = GetCurrentThreadId());
    // beforeAnswer runs on the watcher thread for each box, after it has been
    // recorded and before it is answered (index counts the boxes from 0): a
    // test can change the world the code under test sees next.
    using BeforeAnswer = std::function<void(size_t index, const CaughtBox& box)>;
    MessageBoxCatcher(std::vector<int> answers, BeforeAnswer beforeAnswer,
                      DWORD threadId = GetCurrentThreadId());
    ~MessageBoxCatcher();

    std::vector<CaughtBox> boxes() const;
    size_t count() const { return boxes().size(); }

private:
    void watch();
    void handle(HWND box);

    DWORD threadId_;
    std::vector<int> answers_;
    BeforeAnswer beforeAnswer_;
    size_t answered_ = 0;
    std::vector<HWND> seen_;
    mutable std::mutex mutex_;
    std::vector<CaughtBox> boxes_;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

#endif
