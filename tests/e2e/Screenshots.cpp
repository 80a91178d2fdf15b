#include "Screenshots.h"

#include <cstdio>

#include "Driver.h"
#include "Scenario.h"

namespace {

bool fail(const char* what) {
    std::fprintf(stderr, "screenshots: %s\n", what);
    return false;
}

// Lets the page settle (its posted button and focus changes, its texts),
// then hands over to the script and waits until it has the picture.
bool handOver(const std::string& folder, int index, const Wizard& wizard) {
    int expectedDefault = index == SummaryPage ? FinishButton : NextButton;
    if (index != LicensePage &&
        !waitUntil([&] { return wizard.focus() == wizard.frameButton(expectedDefault); }))
        return fail("the default button did not get the focus");
    Sleep(1500);
    std::string ready = folder + "\\page-" + std::to_string(index) + ".ready";
    std::string done = folder + "\\page-" + std::to_string(index) + ".done";
    // The frame's place on the screen, so that the picture can be cut to it.
    RECT frame;
    GetWindowRect(wizard.frame(), &frame);
    std::FILE* marker = std::fopen(ready.c_str(), "w");
    if (!marker)
        return fail("cannot write the ready marker");
    std::fprintf(marker, "%ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top,
                 frame.left, frame.top);
    std::fclose(marker);
    if (!waitUntil([&] { return isFile(done); }, 120000))
        return fail("no screenshot was taken");
    return true;
}

}  // namespace

int walkForScreenshots(const std::string& folder) {
    InstallerProcess installer(InstallerExe);
    Wizard wizard(installer);
    if (!installer.started() || !wizard.find())
        return fail("the wizard did not appear"), 1;
    for (int index = WelcomePage; index <= SummaryPage; ++index) {
        if (!wizard.waitForPage(index))
            return fail("the page did not appear"), 1;
        if (!handOver(folder, index, wizard))
            return 1;
        if (index == LicensePage) {
            wizard.click(AcceptButton);
            waitUntil([&] { return wizard.isEnabled(NextButton); });
        }
        if (index < SummaryPage)
            wizard.press(NextButton);
    }
    wizard.press(IDCANCEL);
    MessageBoxWindow box;
    if (!wizard.waitForMessageBox(box) || !wizard.answer(box, IDYES))
        return fail("the wizard did not close"), 1;
    DWORD code = 1;
    return installer.waitForExit(30000, code) && code == 0 ? 0 : 1;
}
