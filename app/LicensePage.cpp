// The licence agreement: shown from the checked resource; Next only while
// the user accepts it.
#include <windows.h>
#include <commctrl.h>

#include "app/InstallLog.h"
#include "app/MessageBoxes.h"
#include "app/PageTexts.h"
#include "app/Probes.h"
#include "app/WizardPages.h"
#include "payload/PayloadEntry.h"
#include "payload/PayloadResource.h"

namespace {

const int AgreementId = 1010;
const int AcceptId = 1021;
const int RejectId = 1022;

// Puts the agreement into its edit; false when the resource is missing,
// empty or damaged.
bool showAgreement(HWND page, HMODULE module) {
    HGLOBAL handle;
    const BYTE* data;
    DWORD size;
    if (!loadPayloadResource(module, MAKEINTRESOURCEA(LicenseResourceId), LicenseChecksum,
                             handle, data, size))
        return false;
    {
        // The resource carries no terminating zero.
        KString text(reinterpret_cast<const char*>(data), static_cast<int>(size));
        SetDlgItemTextA(page, AgreementId, text.chars());
    }
    FreeResource(handle);
    return true;
}

DWORD buttonsFor(HWND page) {
    return getCheck(page, AcceptId) ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK;
}

}  // namespace

INT_PTR LicensePage::handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        HMODULE module = reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->hInstance;
        if (!showAgreement(page, module)) {
            // A damaged download: nothing of it can be trusted, so the
            // program ends here without going back to the wizard.
            showMessageBox(page, archiveMessage().chars(), ArchiveCaption, MB_ICONERROR);
            logExitCode(ExitArchiveDamaged);
            ExitProcess(ExitArchiveDamaged);
        }
        fitControlToText(page, AcceptId);
        return FALSE;
    }
    case WM_NOTIFY:
        switch (notificationCode(lParam)) {
        case PSN_SETACTIVE:
            setWizardButtons(page, buttonsFor(page));
            return FALSE;
        case PSN_QUERYCANCEL:
            return confirmAbort(page);
        }
        return FALSE;
    case WM_COMMAND:
        if ((LOWORD(wParam) == AcceptId || LOWORD(wParam) == RejectId) &&
            HIWORD(wParam) == BN_CLICKED)
            setWizardButtons(page, buttonsFor(page));
        return FALSE;
    }
    return FALSE;
}
