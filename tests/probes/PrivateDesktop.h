// Puts the calling thread on a desktop of its own while it lives, before its
// first window: no other process's window shows in its EnumWindows, so a
// player window that a test running beside this one opens cannot count here.
#ifndef LKP_TESTS_PROBES_PRIVATEDESKTOP_H
#define LKP_TESTS_PROBES_PRIVATEDESKTOP_H

#include <windows.h>

#include <string>

class PrivateDesktop {
public:
    PrivateDesktop() : previous_(GetThreadDesktop(GetCurrentThreadId())) {
        std::string name = "LkpProbes" + std::to_string(GetCurrentProcessId());
        desktop_ = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        active_ = desktop_ != nullptr && SetThreadDesktop(desktop_);
    }
    ~PrivateDesktop() {  // the thread's windows must be gone by now
        if (active_)
            SetThreadDesktop(previous_);
        if (desktop_ != nullptr)
            CloseDesktop(desktop_);
    }
    bool active() const { return active_; }
    PrivateDesktop(const PrivateDesktop&) = delete;

private:
    HDESK previous_;
    HDESK desktop_;
    bool active_;
};

#endif
