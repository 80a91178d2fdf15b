// Cancel asks on every page; only Yes ends the installer, with nothing installed.
#include <gtest/gtest.h>

#include "Driver.h"
#include "Scenario.h"

namespace {

MessageBoxWindow pressCancel(const Wizard& wizard) {
    wizard.press(IDCANCEL);
    MessageBoxWindow box;
    EXPECT_TRUE(wizard.waitForMessageBox(box));
    EXPECT_EQ("Abort Installation", box.caption);
    EXPECT_EQ("Are you sure you want to abort the installation of Lorimund's Karaoke Player?",
              box.text);
    return box;
}

}  // namespace

TEST(Cancel, NoStaysOnEveryPageAndYesEndsWithNothingInstalled) {
    InstallerProcess installer(InstallerExe);
    ASSERT_TRUE(installer.started());
    Wizard wizard(installer);
    ASSERT_TRUE(wizard.find());
    for (int index = WelcomePage; index <= SummaryPage; ++index) {
        ASSERT_TRUE(wizard.waitForPage(index));
        ASSERT_TRUE(wizard.answer(pressCancel(wizard), IDNO)) << "page " << index;
        EXPECT_TRUE(waitUntil([&] { return wizard.pageIndex() == index; })) << index;
        if (index == LicensePage) {
            wizard.click(AcceptButton);
            ASSERT_TRUE(waitUntil([&] { return wizard.isEnabled(NextButton); }));
        }
        if (index < SummaryPage)
            wizard.press(NextButton);
    }

    ASSERT_TRUE(wizard.answer(pressCancel(wizard), IDYES));
    DWORD code = 1;
    ASSERT_TRUE(installer.waitForExit(30000, code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(isFolder(DefaultFolder));
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Lorimund", 0,
                                           KEY_READ, &key));
}
