// The review of the choices; Finish installs and starts the player.
#include <windows.h>
#include <commctrl.h>

#include "app/InstallChecks.h"
#include "app/InstallLog.h"
#include "app/Installer.h"
#include "app/PageTexts.h"
#include "app/WizardPages.h"

namespace {

const int ReadyTextId = 1020;
const int SummaryId = 1019;

// The program's own module, where the Installer finds the payload.
HINSTANCE module = nullptr;

// Why the last press of Finish failed to install; ExitSuccess before one did.
ExitCode failedInstall = ExitSuccess;

// PSN_WIZFINISH: false keeps the wizard on this page.
bool finish(HWND page, const InstallOptions& options) {
    if (refuseIfPlayerRunning(page, options) != ExitSuccess)
        return false;
    logOptions(options);
    Installer installer(options, module, page);
    if (!installer.install()) {
        failedInstall = installer.failure();
        return false;
    }
    installer.runPlayer();
    return true;
}

}  // namespace

ExitCode SummaryPage::failedInstall() {
    return ::failedInstall;
}

INT_PTR SummaryPage::handle(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        module = reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->hInstance;
        return TRUE;
    case WM_NOTIFY:
        switch (notificationCode(lParam)) {
        case PSN_SETACTIVE:
            setWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
            SetDlgItemTextA(page, SummaryId, summaryText(options()).chars());
            postFocusDefault(page);
            return FALSE;
        case PSN_WIZFINISH:
            return finish(page, options()) ? FALSE : veto(page);
        case PSN_QUERYCANCEL:
            return confirmAbort(page);
        }
        return FALSE;
    case WM_APP_FOCUS_DEFAULT: {
        KString label = buttonText(focusDefaultButton(page));
        SetDlgItemTextA(page, ReadyTextId, readyText(label).chars());
        return TRUE;
    }
    }
    return FALSE;
}
