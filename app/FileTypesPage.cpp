// The file types to associate and the browser plug-ins; a plug-in box is
// offered only for a browser that is installed in a version that takes it.
#include <windows.h>
#include <commctrl.h>

#include "app/Probes.h"
#include "app/WizardPages.h"

namespace {

const int KarId = 1015;
const int RmiId = 1016;
const int MidId = 1017;
const int MidiId = 1018;
const int InternetExplorerId = 1019;
const int NetscapeId = 1020;

void showPluginChoice(HWND page, int id, bool browserPresent, bool chosen) {
    if (browserPresent) {
        setCheck(page, id, chosen);
    } else {
        EnableWindow(GetDlgItem(page, id), FALSE);
        setCheck(page, id, false);
    }
}

}  // namespace

INT_PTR FileTypesPage::handle(HWND page, UINT message, WPARAM, LPARAM lParam) {
    InstallOptions& choices = options();
    switch (message) {
    case WM_INITDIALOG:
        setCheck(page, MidId, choices.associateMid);
        setCheck(page, MidiId, choices.associateMidi);
        setCheck(page, KarId, choices.associateKar);
        setCheck(page, RmiId, choices.associateRmi);
        showPluginChoice(page, InternetExplorerId, isIExplorerInstalled(),
                         choices.internetExplorerPlugin);
        showPluginChoice(page, NetscapeId, isNetscapeInstalled(), choices.netscapePlugin);
        return FALSE;
    case WM_NOTIFY:
        switch (notificationCode(lParam)) {
        case PSN_SETACTIVE:
            setWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
            postFocusDefault(page);
            return FALSE;
        case PSN_WIZNEXT:
            choices.associateMid = getCheck(page, MidId);
            choices.associateMidi = getCheck(page, MidiId);
            choices.associateKar = getCheck(page, KarId);
            choices.associateRmi = getCheck(page, RmiId);
            choices.internetExplorerPlugin = getCheck(page, InternetExplorerId);
            choices.netscapePlugin = getCheck(page, NetscapeId);
            return FALSE;
        case PSN_QUERYCANCEL:
            return confirmAbort(page);
        }
        return FALSE;
    case WM_APP_FOCUS_DEFAULT:
        focusDefaultButton(page);
        return TRUE;
    }
    return FALSE;
}
