// The target folder and the two shortcuts. Next accepts only a valid folder
// on a drive with enough free space.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "app/InstallChecks.h"
#include "app/PageTexts.h"
#include "app/Probes.h"
#include "app/TargetFolderRules.h"
#include "app/WizardPages.h"

namespace {

const int FolderId = 1011;
const int BrowseId = 1012;
const int DesktopId = 1013;
const int QuickLaunchId = 1014;

KString editText(HWND page) {
    KString text;
    int length = GetDlgItemTextA(page, FolderId, text.getBuffer(259), 260);
    text.releaseBuffer(length);
    return text;
}

// PSN_WIZNEXT: stores the page when the folder is acceptable; false vetoes
// and puts the user back into the edit.
bool acceptFolder(HWND page, InstallOptions& options) {
    KString folder = folderFromEditText(editText(page).chars());
    if (acceptTargetFolder(page, folder) != ExitSuccess) {
        SetFocus(GetDlgItem(page, FolderId));
        return false;
    }
    options.folder = folder;
    options.desktopShortcut = getCheck(page, DesktopId);
    options.quickLaunchShortcut = getCheck(page, QuickLaunchId);
    return true;
}

int CALLBACK selectStartFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, startFolder);
    return 0;
}

void browse(HWND page) {
    KString start = browseStartFolder(editText(page).chars());
    char displayName[MAX_PATH];
    BROWSEINFOA info = {};
    info.hwndOwner = page;
    info.pszDisplayName = displayName;
    info.lpszTitle = BrowseTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = selectStartFolder;
    info.lParam = reinterpret_cast<LPARAM>(start.chars());
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen)
        return;
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(chosen, path))
        SetDlgItemTextA(page, FolderId, productFolderBelow(path).chars());
    IMalloc* allocator;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(chosen);
        allocator->Release();
    }
}

}  // namespace

INT_PTR TargetFolderPage::handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(page, FolderId, options().folder.chars());
        setCheck(page, DesktopId, options().desktopShortcut);
        if (findQuickLaunchFolder())
            setCheck(page, QuickLaunchId, options().quickLaunchShortcut);
        else
            EnableWindow(GetDlgItem(page, QuickLaunchId), FALSE);
        return FALSE;
    case WM_NOTIFY:
        switch (notificationCode(lParam)) {
        case PSN_SETACTIVE:
            setWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
            postFocusDefault(page);
            return FALSE;
        case PSN_WIZNEXT:
            return acceptFolder(page, options()) ? FALSE : veto(page);
        case PSN_QUERYCANCEL:
            return confirmAbort(page);
        }
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == BrowseId && HIWORD(wParam) == BN_CLICKED) {
            browse(page);
            return TRUE;
        }
        return FALSE;
    case WM_APP_FOCUS_DEFAULT:
        focusDefaultButton(page);
        return TRUE;
    }
    return FALSE;
}
