#include "app/WizardPage.h"

#include <commctrl.h>

#include "app/MessageBoxes.h"
#include "app/PageTexts.h"

InstallOptions* WizardPage::options_ = nullptr;
std::exception_ptr WizardPage::failure_;

INT_PTR WizardPage::dispatch(Handler handler, HWND page, UINT message, WPARAM wParam,
                             LPARAM lParam) {
    if (failure_)
        return FALSE;
    try {
        return handler(page, message, wParam, lParam);
    } catch (...) {
        // Unwinding through comctl32 and user32 is undefined, so the
        // exception stops here. The allocation failure has shown its message
        // already; ending the wizard by its Cancel button would ask the abort
        // question, so the quit message ends the frame's message loop instead
        // (and a message box or folder browser that is open). Once the
        // property sheet has returned, run() throws the exception again and
        // the entry point ends the program quietly.
        failure_ = std::current_exception();
        PostQuitMessage(0);
        return FALSE;
    }
}

std::exception_ptr WizardPage::takeFailure() {
    std::exception_ptr failure = failure_;
    failure_ = nullptr;
    return failure;
}

void WizardPage::setWizardButtons(HWND page, DWORD buttons) {
    PostMessageA(GetParent(page), PSM_SETWIZBUTTONS, 0, buttons);
}

void WizardPage::postFocusDefault(HWND page) {
    PostMessageA(page, WM_APP_FOCUS_DEFAULT, 0, 0);
}

HWND WizardPage::focusDefaultButton(HWND page) {
    HWND frame = GetParent(page);
    LRESULT answer = SendMessageA(frame, DM_GETDEFID, 0, 0);
    if (answer == 0 || HIWORD(answer) != DC_HASDEFID)
        return nullptr;
    HWND button = GetDlgItem(frame, LOWORD(answer));
    if (button)
        SetFocus(button);
    return button;
}

KString WizardPage::buttonText(HWND button) {
    KString text;
    if (!button || GetWindowTextLengthA(button) > 99)
        return text;
    int length = GetWindowTextA(button, text.getBuffer(99), 100);
    text.releaseBuffer(length > 0 ? length : 0);
    return text;
}

INT_PTR WizardPage::veto(HWND page) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);
    return TRUE;
}

INT_PTR WizardPage::confirmAbort(HWND page) {
    if (showMessageBox(page, AbortQuestion, AbortCaption, MB_ICONWARNING | MB_YESNO) == IDNO)
        return veto(page);
    return FALSE;
}

UINT WizardPage::notificationCode(LPARAM lParam) {
    return reinterpret_cast<const NMHDR*>(lParam)->code;
}
