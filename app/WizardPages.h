// The five pages of the wizard, in the order it shows them. Each page's
// messages are handled in its own file; handle() returns what a dialog
// procedure returns (see WizardPage::Handler).
#ifndef LKP_APP_WIZARDPAGES_H
#define LKP_APP_WIZARDPAGES_H

#include "app/ExitCodes.h"
#include "app/WizardPage.h"

class WelcomePage : public WizardPage {
public:
    DLGPROC dialogProc() const override { return guardedDialogProc<handle>; }
    static INT_PTR handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
};

class LicensePage : public WizardPage {
public:
    DLGPROC dialogProc() const override { return guardedDialogProc<handle>; }
    static INT_PTR handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
};

class TargetFolderPage : public WizardPage {
public:
    DLGPROC dialogProc() const override { return guardedDialogProc<handle>; }
    static INT_PTR handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
};

class FileTypesPage : public WizardPage {
public:
    DLGPROC dialogProc() const override { return guardedDialogProc<handle>; }
    static INT_PTR handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
};

class SummaryPage : public WizardPage {
public:
    DLGPROC dialogProc() const override { return guardedDialogProc<handle>; }
    static INT_PTR handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    // Why the last press of Finish did not install; ExitSuccess when none failed.
    static ExitCode failedInstall();
};

#endif
