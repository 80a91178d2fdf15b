// The end-to-end driver: GoogleTest scenarios, or with "--screenshots DIR"
// a walk through the pages for tools/screenshots.sh. At page N the walk
// writes the wizard's rectangle on the screen (WxH+X+Y) into DIR\page-N.ready
// and waits for DIR\page-N.done, which the script makes once it has the
// picture; it cancels the wizard at the end.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "Driver.h"
#include "TempFolder.h"
#include "app/ExitCodes.h"

namespace {

int fail(const char* what) {
    std::fprintf(stderr, "screenshots: %s\n", what);
    return 1;
}

int walkForScreenshots(const std::string& folder) {
    Installer installer;
    if (!installer.start())
        return fail("the wizard did not appear");
    for (int index = WelcomePage; index <= SummaryPage; ++index) {
        if (!installer.goTo(index))
            return fail("the page did not appear");
        // Lets the page settle: its posted button and focus changes, its texts.
        int defaultButton = index == SummaryPage ? FinishButton : NextButton;
        if (index != LicensePage && !installer.waitForFocus(installer.frameButton(defaultButton)))
            return fail("the default button did not get the focus");
        Sleep(1500);
        std::string page = folder + "\\page-" + std::to_string(index);
        RECT frame;
        GetWindowRect(installer.frame(), &frame);
        char rectangle[64];
        std::snprintf(rectangle, sizeof(rectangle), "%ldx%ld+%ld+%ld\n", frame.right - frame.left,
                      frame.bottom - frame.top, frame.left, frame.top);
        if (!writeFile(page + ".ready", rectangle))
            return fail("cannot write the ready marker");
        if (!waitUntil([&] { return pathExists(page + ".done"); }, 120000))
            return fail("no screenshot was taken");
    }
    installer.press(IDCANCEL);
    if (!installer.answer(installer.messageBox(), IDYES) || installer.exitCode() != ExitCancelled)
        return fail("the wizard did not close");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--screenshots") == 0)
        return walkForScreenshots(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
