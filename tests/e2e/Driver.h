// Drives the real installer from outside, as a person would: through its
// windows and the messages that clicks and typing send. Presses are always
// posted, since a sent press would block while the installer shows a
// message box.
#ifndef LKP_TESTS_E2E_DRIVER_H
#define LKP_TESTS_E2E_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>

// The wizard frame's own buttons.
const int BackButton = 0x3023;
const int NextButton = 0x3024;
const int FinishButton = 0x3025;

// Waits until condition holds, polling; false after timeoutMs.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// One run of an installer executable.
class InstallerProcess {
public:
    explicit InstallerProcess(const std::string& exePath);
    ~InstallerProcess();  // ends the process if it is still running
    InstallerProcess(const InstallerProcess&) = delete;
    InstallerProcess& operator=(const InstallerProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    DWORD threadId() const { return process_.dwThreadId; }
    // True when the process ended within timeoutMs; its exit code in code.
    bool waitForExit(DWORD timeoutMs, DWORD& code);

private:
    PROCESS_INFORMATION process_ = {};
};

// A message box of the installer.
struct MessageBoxWindow {
    HWND window = nullptr;
    std::string text;
    std::string caption;
};

// The wizard of one installer process.
class Wizard {
public:
    explicit Wizard(const InstallerProcess& process) : process_(process) {}

    // Waits for the wizard frame to appear.
    bool find(DWORD timeoutMs = 60000);
    HWND frame() const { return frame_; }
    HWND page() const;           // the current page's dialog
    int pageIndex() const;       // -1 when it cannot be told
    bool waitForPage(int index, DWORD timeoutMs = 20000) const;

    void press(int frameButton) const;  // Back, Next, Finish, IDCANCEL
    void click(int control) const;      // a control of the current page
    bool isEnabled(int frameButton) const;
    bool isVisible(int frameButton) const;
    bool pageControlEnabled(int control) const;
    bool isChecked(int control) const;
    void setText(int control, const std::string& text) const;
    std::string text(int control) const;
    // The window with the keyboard focus in the installer's thread.
    HWND focus() const;
    HWND frameButton(int id) const { return GetDlgItem(frame_, id); }
    HWND pageControl(int id) const { return GetDlgItem(page(), id); }

    // Waits for a message box of the installer.
    bool waitForMessageBox(MessageBoxWindow& box, DWORD timeoutMs = 20000) const;
    // Presses one of the box's buttons (IDOK, IDYES, IDNO) and waits until it has gone.
    bool answer(const MessageBoxWindow& box, int button) const;
    // The installer's top-level dialog other than the wizard and its message
    // boxes, such as the folder browser.
    HWND findOtherDialog(DWORD timeoutMs = 30000) const;

private:
    const InstallerProcess& process_;
    HWND frame_ = nullptr;
};

std::string windowText(HWND window);
bool isFolder(const std::string& path);
bool isFile(const std::string& path);
std::string readWholeFile(const std::string& path);

#endif
