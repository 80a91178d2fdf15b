#include "app/InstallWizard.h"

void fillSheetHeader(PROPSHEETHEADERA& header, HINSTANCE instance, HWND parent, int iconId,
                     const PageDescriptor* pages, UINT pageCount, UINT startPage) {
    header = PROPSHEETHEADERA();
    header.dwSize = sizeof(PROPSHEETHEADERA);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_NOAPPLYNOW;
    if (iconId != 0) {
        header.dwFlags |= PSH_USEICONID;
        header.pszIcon = MAKEINTRESOURCEA(iconId);
    }
    header.hwndParent = parent;
    header.hInstance = instance;
    header.nPages = pageCount;
    header.nStartPage = startPage;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages);
}

InstallWizard::InstallWizard(HINSTANCE instance, HWND parent, int iconId)
    : instance_(instance), parent_(parent), iconId_(iconId) {
    welcome_.setTemplateId(116);
    license_.setTemplateId(113);
    targetFolder_.setTemplateId(122);
    fileTypes_.setTemplateId(123);
    summary_.setTemplateId(124);
    addPage(welcome_);
    addPage(license_);
    addPage(targetFolder_);
    addPage(fileTypes_);
    addPage(summary_);
}

void InstallWizard::addPage(WizardPage& page) {
    page.setOptions(options_);
    pages_.push_back(&page);
}

bool InstallWizard::run(UINT startPage) {
    std::vector<PageDescriptor> descriptors(pages_.size(), PageDescriptor());
    for (size_t i = 0; i < pages_.size(); ++i) {
        PageDescriptor& descriptor = descriptors[i];
        descriptor.dwSize = sizeof(PageDescriptor);
        descriptor.hInstance = instance_;
        descriptor.pszTemplate = MAKEINTRESOURCEA(pages_[i]->templateId());
        descriptor.pfnDlgProc = pages_[i]->dialogProc();
    }
    PROPSHEETHEADERA header;
    fillSheetHeader(header, instance_, parent_, iconId_, descriptors.data(),
                    static_cast<UINT>(descriptors.size()), startPage);
    INT_PTR result = PropertySheetA(&header);
    if (std::exception_ptr failure = WizardPage::takeFailure())
        std::rethrow_exception(failure);
    return result > 0;
}
