#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <stdexcept>

#include "app/InstallWizard.h"

TEST(WizardFrame, SheetHeaderFlagsWithAndWithoutIcon) {
    PageDescriptor pages[5] = {};
    PROPSHEETHEADERA header;
    fillSheetHeader(header, GetModuleHandleA(nullptr), nullptr, 118, pages, 5, 0);
    EXPECT_EQ(0xacu, header.dwFlags);
    EXPECT_EQ(MAKEINTRESOURCEA(118), header.pszIcon);
    EXPECT_EQ(5u, header.nPages);
    EXPECT_EQ(nullptr, header.pszCaption);
    EXPECT_EQ(nullptr, header.pfnCallback);
    fillSheetHeader(header, GetModuleHandleA(nullptr), nullptr, 0, pages, 5, 2);
    EXPECT_EQ(0xa8u, header.dwFlags);
    EXPECT_EQ(nullptr, header.pszIcon);
    EXPECT_EQ(2u, header.nStartPage);
}

namespace {

int calls = 0;

INT_PTR runOutOfMemory(HWND, UINT, WPARAM, LPARAM) {
    ++calls;
    throw std::bad_alloc();
}

INT_PTR failWith(HWND, UINT, WPARAM, LPARAM) {
    ++calls;
    throw std::runtime_error("any exception");
}

bool quitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace

// An exception must not unwind through the system's dialog code: the page
// keeps it, ends the message loop and runs nothing more until it is taken.
TEST(WizardFrame, ExceptionInAPageEndsTheWizardAndComesBackOut) {
    calls = 0;
    EXPECT_EQ(FALSE, WizardPage::dispatch(runOutOfMemory, nullptr, WM_COMMAND, 0, 0));
    EXPECT_TRUE(quitPosted());
    EXPECT_EQ(FALSE, WizardPage::dispatch(failWith, nullptr, WM_COMMAND, 0, 0));
    EXPECT_EQ(1, calls) << "no handler runs once a failure is pending";
    std::exception_ptr failure = WizardPage::takeFailure();
    ASSERT_TRUE(failure);
    EXPECT_THROW(std::rethrow_exception(failure), std::bad_alloc);

    EXPECT_FALSE(WizardPage::takeFailure());
    WizardPage::dispatch(failWith, nullptr, WM_COMMAND, 0, 0);
    EXPECT_EQ(2, calls);
    EXPECT_TRUE(quitPosted());
    EXPECT_THROW(std::rethrow_exception(WizardPage::takeFailure()), std::runtime_error);
}
