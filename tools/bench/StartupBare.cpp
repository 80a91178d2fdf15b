// The start-up benchmark's peer: a program that shows the installer's wizard
// frame with the same five page templates, icons and manifest, and does
// nothing else. The installer's start-up is measured against this one.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK emptyPage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    const WORD templates[] = {116, 113, 122, 123, 124};
    PROPSHEETPAGEA pages[5] = {};
    for (int i = 0; i < 5; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(templates[i]);
        pages[i].pfnDlgProc = emptyPage;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_NOAPPLYNOW | PSH_USEICONID;
    header.hInstance = instance;
    header.pszIcon = MAKEINTRESOURCEA(118);
    header.nPages = 5;
    header.ppsp = pages;
    PropertySheetA(&header);
    return 0;
}
