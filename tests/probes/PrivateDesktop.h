// Moves the calling thread onto a desktop of its own while it lives. Windows
// created there are seen by nobody else's EnumWindows, and they hang off the
// X root window rather than the shared virtual desktop, whose X window
// vanishes when its explorer process dies under the emulator.
// Create it before the thread's first window; destroy every window first.
#ifndef LKP_TESTS_PROBES_PRIVATEDESKTOP_H
#define LKP_TESTS_PROBES_PRIVATEDESKTOP_H

#include <windows.h>

#include <string>

class PrivateDesktop {
public:
    PrivateDesktop() : previous_(GetThreadDesktop(GetCurrentThreadId())) {
        std::string name = "LkpProbes" + std::to_string(GetCurrentProcessId());
        desktop_ = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        switched_ = desktop_ != nullptr && SetThreadDesktop(desktop_);
    }
    ~PrivateDesktop() {
        if (switched_)
            SetThreadDesktop(previous_);
        if (desktop_ != nullptr)
            CloseDesktop(desktop_);
    }
    bool active() const { return switched_; }

private:
    PrivateDesktop(const PrivateDesktop&) = delete;
    PrivateDesktop& operator=(const PrivateDesktop&) = delete;
    HDESK previous_;
    HDESK desktop_;
    bool switched_;
};

#endif
