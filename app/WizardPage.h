// One page of the wizard: a dialog template and the dialog procedure that
// runs it, plus what every page does with the wizard frame.
#ifndef LKP_APP_WIZARDPAGE_H
#define LKP_APP_WIZARDPAGE_H

#include <windows.h>

#include <exception>

#include "app/InstallOptions.h"
#include "base/KString.h"

// Posted by a page to itself after its button change, so that it runs once the
// frame has updated its buttons: focus the default button.
const UINT WM_APP_FOCUS_DEFAULT = WM_APP + 2;

class WizardPage {
public:
    // A page's message handler. Returns what a dialog procedure returns:
    // FALSE for "not handled"; for a notification TRUE after the result has
    // been set with veto().
    using Handler = INT_PTR (*)(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

    virtual ~WizardPage() {}

    WORD templateId() const { return templateId_; }
    void setTemplateId(WORD id) { templateId_ = id; }
    virtual DLGPROC dialogProc() const = 0;

    // Every page reaches the one options record through this.
    static void setOptions(InstallOptions& options) { options_ = &options; }

    // Runs handler so that no exception unwinds through the system's dialog
    // code. The first exception is kept and the wizard's message loop is
    // ended; the wizard throws it again once the property sheet has returned.
    // From then on no handler runs, so no further message can appear.
    static INT_PTR dispatch(Handler handler, HWND page, UINT message, WPARAM wParam,
                            LPARAM lParam);
    // The exception kept by dispatch, if any; clears it.
    static std::exception_ptr takeFailure();

protected:
    static InstallOptions& options() { return *options_; }

    // Posts PSM_SETWIZBUTTONS (PSWIZB_* flags) to the frame.
    static void setWizardButtons(HWND page, DWORD buttons);
    static void postFocusDefault(HWND page);
    // Focuses the frame's default button; returns it, or null when there is none.
    static HWND focusDefaultButton(HWND page);
    // A button's text of at most 99 characters; empty when unreadable or longer.
    static KString buttonText(HWND button);

    // Refuses a page change, the finish or the cancel: result 1, handled.
    static INT_PTR veto(HWND page);
    // The answer to PSN_QUERYCANCEL: asks whether to abort; only No vetoes.
    static INT_PTR confirmAbort(HWND page);
    static UINT notificationCode(LPARAM lParam);

private:
    WORD templateId_ = 0;
    static InstallOptions* options_;
    static std::exception_ptr failure_;
};

// The dialog procedure of a page whose messages Handler handles.
template <WizardPage::Handler handler>
INT_PTR CALLBACK guardedDialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return WizardPage::dispatch(handler, page, message, wParam, lParam);
}

#endif
