// Puts the calling thread, before its first window, on a desktop of its own:
// no other process's window (a player window another test opens) shows in its
// EnumWindows, and its own windows stay out of other tests' sight.
#ifndef LKP_TESTS_PRIVATEDESKTOP_H
#define LKP_TESTS_PRIVATEDESKTOP_H

#include <windows.h>

#include <string>

struct PrivateDesktop {
    HDESK previous = GetThreadDesktop(GetCurrentThreadId());
    HDESK desktop = CreateDesktopA(("LkpTest" + std::to_string(GetCurrentProcessId())).c_str(),
                                   nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    bool active = desktop != nullptr && SetThreadDesktop(desktop);
    ~PrivateDesktop() {  // the thread's windows must be gone by now
        if (active)
            SetThreadDesktop(previous);
        CloseDesktop(desktop);
    }
};

#endif
