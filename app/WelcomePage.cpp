// The first page: greets the user and names the button that goes on.
#include <windows.h>
#include <commctrl.h>

#include "app/PageTexts.h"
#include "app/WizardPages.h"

namespace {

const int WelcomeTextId = 1020;

// Moves the frame to the middle of the screen, keeping its size.
void centreOnScreen(HWND frame) {
    RECT frameRect;
    GetWindowRect(frame, &frameRect);
    int x = (GetSystemMetrics(SM_CXSCREEN) + frameRect.left - frameRect.right) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) + frameRect.top - frameRect.bottom) / 2;
    SetWindowPos(frame, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

INT_PTR WelcomePage::handle(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        centreOnScreen(GetParent(page));
        return TRUE;
    case WM_NOTIFY:
        switch (notificationCode(lParam)) {
        case PSN_SETACTIVE:
            setWizardButtons(page, PSWIZB_NEXT);
            postFocusDefault(page);
            return FALSE;
        case PSN_QUERYCANCEL:
            return confirmAbort(page);
        }
        return FALSE;
    case WM_APP_FOCUS_DEFAULT: {
        // The text names the button as the frame labels it, in any language.
        KString word = welcomeButtonWord(buttonText(focusDefaultButton(page)));
        SetDlgItemTextA(page, WelcomeTextId, welcomeText(word).chars());
        return TRUE;
    }
    }
    return FALSE;
}
