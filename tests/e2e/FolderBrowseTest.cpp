// Browse proposes the product's folder below the folder chosen, and a
// cancelled browser leaves the edit alone.
#include <gtest/gtest.h>

#include "Driver.h"
#include "Scenario.h"

namespace {

// Presses Browse, waits for the folder browser and closes it with button.
void browseAndClose(const Wizard& wizard, int button) {
    wizard.click(BrowseButton);
    HWND browser = wizard.findOtherDialog();
    ASSERT_NE(nullptr, browser);
    // The browser selects its start folder once it is up; OK before that
    // would take whatever it had selected first.
    Sleep(1000);
    PostMessageA(GetDlgItem(browser, button), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(browser); }, 30000));
}

}  // namespace

TEST(FolderBrowse, ChosenFolderGetsTheProductFolderOnce) {
    InstallerProcess installer(InstallerExe);
    ASSERT_TRUE(installer.started());
    Wizard wizard(installer);
    ASSERT_TRUE(wizard.find());
    ASSERT_TRUE(wizard.waitForPage(WelcomePage));
    wizard.press(NextButton);
    ASSERT_TRUE(wizard.waitForPage(LicensePage));
    wizard.click(AcceptButton);
    ASSERT_TRUE(waitUntil([&] { return wizard.isEnabled(NextButton); }));
    wizard.press(NextButton);
    ASSERT_TRUE(wizard.waitForPage(FolderPage));

    // An existing folder opens the browser on itself; OK adds the product.
    const std::string proposed = "C:\\windows\\Lorimund's Karaoke Player";
    wizard.setText(FolderEdit, "C:\\windows");
    browseAndClose(wizard, IDOK);
    EXPECT_TRUE(waitUntil([&] { return wizard.text(FolderEdit) == proposed; }))
        << wizard.text(FolderEdit);

    // The product's folder that does not exist yet opens the browser on its
    // parent; OK there gives the same folder, not a second product folder.
    browseAndClose(wizard, IDOK);
    EXPECT_TRUE(waitUntil([&] { return wizard.text(FolderEdit) == proposed; }))
        << wizard.text(FolderEdit);

    wizard.setText(FolderEdit, "C:\\users");
    browseAndClose(wizard, IDCANCEL);
    EXPECT_EQ("C:\\users", wizard.text(FolderEdit));

    wizard.press(IDCANCEL);
    MessageBoxWindow box;
    ASSERT_TRUE(wizard.waitForMessageBox(box));
    ASSERT_TRUE(wizard.answer(box, IDYES));
    DWORD code = 1;
    ASSERT_TRUE(installer.waitForExit(30000, code));
    EXPECT_EQ(0u, code);
}
