// Drives the real installer from outside, as a person would: through its
// windows and the messages that clicks and typing send. Presses are always
// posted, since a sent press would block while the installer shows a
// message box.
#ifndef LKP_TESTS_E2E_DRIVER_H
#define LKP_TESTS_E2E_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>

extern const char* const InstallerExe;  // the installer of this build

const int BackButton = 0x3023;  // the wizard frame's own buttons
const int NextButton = 0x3024;
const int FinishButton = 0x3025;
const int AcceptButton = 1021;
const int RejectButton = 1022;
const int FolderEdit = 1011;
const int BrowseButton = 1012;
enum PageIndex { WelcomePage, LicensePage, FolderPage, FileTypesPage, SummaryPage };

// Waits until condition holds, polling; false after timeoutMs.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);
std::string windowText(HWND window);

struct MessageBoxWindow {
    HWND window = nullptr;
    std::string text;
    std::string caption;
    UINT style = 0;  // messageBoxStyle: buttons and default button; no icon across processes
};

// One run of an installer executable and its wizard.
class Installer {
public:
    explicit Installer(const std::string& exePath = InstallerExe,
                       const std::string& arguments = "");
    ~Installer();  // ends the process if it is still running
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    // Waits for the wizard frame on its welcome page.
    bool start(DWORD timeoutMs = 60000);
    // The exit code once the process has ended; -1 when it did not in time.
    long exitCode(DWORD timeoutMs = 30000);

    HWND frame() const { return frame_; }
    HWND page() const;      // the current page's dialog
    int pageIndex() const;  // -1 when it cannot be told
    bool waitForPage(int index, DWORD timeoutMs = 20000) const;
    // Presses a frame button and waits for the page it should lead to.
    bool turn(int frameButton, int index) const { return press(frameButton), waitForPage(index); }
    // Next up to page index, accepting the agreement on the way.
    bool goTo(int index) const;

    HWND frameButton(int id) const { return GetDlgItem(frame_, id); }
    HWND pageControl(int id) const { return GetDlgItem(page(), id); }
    void press(int id) const { PostMessageA(frameButton(id), BM_CLICK, 0, 0); }  // also IDCANCEL
    void click(int control) const { PostMessageA(pageControl(control), BM_CLICK, 0, 0); }
    bool isEnabled(int id) const { return IsWindowEnabled(frameButton(id)); }
    bool isChecked(int control) const;
    void setText(int control, const std::string& text) const;
    std::string text(int control) const { return windowText(pageControl(control)); }
    // Whether window gets the keyboard focus of the installer's thread.
    bool waitForFocus(HWND window) const;

    // Waits for a message box of the installer; its window is null on timeout.
    MessageBoxWindow messageBox(DWORD timeoutMs = 20000) const;
    // Presses one of the box's buttons (IDOK, IDYES, IDNO) and waits until it has gone.
    bool answer(const MessageBoxWindow& box, int button) const;
    // A top-level dialog other than the wizard and its message boxes.
    HWND otherDialog(DWORD timeoutMs = 30000) const;

private:
    HWND findWindow(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const;

    PROCESS_INFORMATION process_ = {};
    HWND frame_ = nullptr;
};

// A run of the installer that nobody answers: its exit code (-1 when it did
// not end in time, and then it is ended) and whether any window of it became
// visible meanwhile.
struct UnattendedRun {
    long exitCode = -1;
    bool showedWindow = false;
};
UnattendedRun runUnattended(const std::string& arguments, const std::string& exePath = InstallerExe,
                            DWORD timeoutMs = 120000);

#endif
