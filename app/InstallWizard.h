// The wizard: five property-sheet pages around the one options record.
#ifndef LKP_APP_INSTALLWIZARD_H
#define LKP_APP_INSTALLWIZARD_H

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/InstallOptions.h"
#include "app/WizardPages.h"

// The page descriptor as comctl32 reads it: 48 bytes on 32-bit Windows,
// the size that includes the two header-title fields. The array's stride
// must equal the size announced in dwSize.
using PageDescriptor = PROPSHEETPAGEA_V2;
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(PageDescriptor) == 48, "page descriptor of 48 bytes");
static_assert(sizeof(PROPSHEETHEADERA) == 52, "sheet header of 52 bytes");
#endif

// Fills the sheet header for pageCount descriptors; an iconId of 0 gives
// the wizard no icon.
void fillSheetHeader(PROPSHEETHEADERA& header, HINSTANCE instance, HWND parent, int iconId,
                     const PageDescriptor* pages, UINT pageCount, UINT startPage);

class InstallWizard {
public:
    InstallWizard(HINSTANCE instance, HWND parent, int iconId);
    InstallWizard(const InstallWizard&) = delete;
    InstallWizard& operator=(const InstallWizard&) = delete;

    // Shows the wizard modally from page startPage; true when it was
    // completed. An exception raised while a page handled a message is thrown
    // from here, once the wizard has gone.
    bool run(UINT startPage);
    // The record the pages show, for presets before run.
    InstallOptions& options() { return options_; }

private:
    void addPage(WizardPage& page);

    std::vector<WizardPage*> pages_;
    HINSTANCE instance_;
    HWND parent_;
    int iconId_;
    InstallOptions options_;
    WelcomePage welcome_;
    LicensePage license_;
    TargetFolderPage targetFolder_;
    FileTypesPage fileTypes_;
    SummaryPage summary_;
};

#endif
