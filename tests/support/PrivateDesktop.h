// Puts the calling thread, before its first window, on a desktop of its own:
// no other process's window (a player window another test opens) shows in its
// EnumWindows, and its own windows stay out of other tests' sight.
//
// While the thread is away, a parked thread of this process stays on the
// desktop it left. Wine closes a desktop a second after its last thread
// leaves, and its X window goes with it; Wine's X driver still uses that
// window as the parent of the process's next top-level windows, even on the
// private desktop, and the X server then ends the process with BadWindow.
// A slow (emulated) machine takes more than that second to start the private
// desktop's own desktop process.
#ifndef LKP_TESTS_PRIVATEDESKTOP_H
#define LKP_TESTS_PRIVATEDESKTOP_H

#include <windows.h>

#include <string>

struct PrivateDesktop {
    HDESK previous = GetThreadDesktop(GetCurrentThreadId());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE keeper = CreateThread(nullptr, 0, keepPrevious, this, 0, nullptr);
    HDESK desktop = CreateDesktopA(("LkpTest" + std::to_string(GetCurrentProcessId())).c_str(),
                                   nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    bool active = desktop != nullptr && SetThreadDesktop(desktop);

    PrivateDesktop() = default;
    PrivateDesktop(const PrivateDesktop&) = delete;  // its thread holds this object's address
    PrivateDesktop& operator=(const PrivateDesktop&) = delete;
    ~PrivateDesktop() {  // the thread's windows must be gone by now
        if (active)
            SetThreadDesktop(previous);
        CloseDesktop(desktop);
        SetEvent(release);
        if (keeper) {
            WaitForSingleObject(keeper, INFINITE);
            CloseHandle(keeper);
        }
        CloseHandle(release);
    }

    static DWORD WINAPI keepPrevious(void* self) {
        auto* owner = static_cast<PrivateDesktop*>(self);
        SetThreadDesktop(owner->previous);  // a new thread starts on the process's desktop
        WaitForSingleObject(owner->release, INFINITE);
        return 0;
    }
};

#endif
