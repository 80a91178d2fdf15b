// The message boxes of the pages as the user meets them: text, caption, icon,
// buttons and default button, and what each answer does to the page change.
// The page handlers run on a dialog of this test that holds the controls they
// use; the test program does not carry the wizard's own templates.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "MessageBoxCatcher.h"
#include "RegistrySandbox.h"
#include "PrivateDesktop.h"
#include "TempFolder.h"
#include "app/WizardPages.h"

namespace {

INT_PTR CALLBACK plainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

class PageBoxes : public ::testing::Test {
protected:
    PageBoxes() {
        static const EmptyTemplate empty = {{WS_POPUP, 0, 0, 0, 0, 200, 100}, 0, 0, 0};
        page = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &empty.header, nullptr,
                                          plainDialog, 0);
        edit = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 100, 12, page,
                             reinterpret_cast<HMENU>(1011), nullptr, nullptr);
        for (int box : {1013, 1014})
            CreateWindowA("BUTTON", "", WS_CHILD | BS_AUTOCHECKBOX, 0, 20, 100, 12, page,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(box)), nullptr, nullptr);
        options.folder = "C:\\Unchanged";
        WizardPage::setOptions(options);
    }
    ~PageBoxes() override { DestroyWindow(page); }

    // Sends the page one notification; true when the page vetoed it.
    bool vetoes(WizardPage::Handler handler, UINT code) {
        NMHDR header = {GetParent(page), 0, code};
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        INT_PTR handled = handler(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
        return handled == TRUE && GetWindowLongPtrA(page, DWLP_MSGRESULT) == 1;
    }

    PrivateDesktop desktop;
    RegistrySandbox sandbox;
    HWND page = nullptr, edit = nullptr;
    InstallOptions options;
};

struct Box {
    std::string text, caption;
    UINT style;
};

void expectBoxes(const std::vector<Box>& expected, const MessageBoxCatcher& catcher, HWND owner,
                 const std::string& trace) {
    std::vector<CaughtBox> caught = catcher.boxes();
    ASSERT_EQ(expected.size(), caught.size()) << trace;
    for (size_t i = 0; i < caught.size(); ++i) {
        EXPECT_EQ(expected[i].text, caught[i].text) << trace;
        EXPECT_EQ(expected[i].caption, caught[i].caption) << trace;
        EXPECT_EQ(expected[i].style, caught[i].style) << trace;
        EXPECT_EQ(owner, caught[i].owner) << trace;
    }
}

const Box Abort = {"Are you sure you want to abort the installation of Lorimund's Karaoke Player?",
                   "Abort Installation", MB_ICONWARNING | MB_YESNO};

Box rootQuestion(char drive) {
    std::string text =
        "Do you really want to install Lorimund's Karaoke Player to the root folder\n"
        "of drive _:? Note: it is highly recommended that the program be installed\n"
        "into a sub-folder, e.g. _:\\Lorimund's Karaoke Player.";
    for (size_t at; (at = text.find('_')) != std::string::npos;)
        text[at] = drive;
    return {text, "Target Folder", MB_ICONWARNING | MB_YESNO};
}

Box noSpaceOn(char drive) {
    return {"There is insufficient free space for installation on drive " + std::string(1, drive) +
                ".  Please free\nup some space or choose a different drive.  Lorimund's Karaoke "
                "Player\nrequires at least 2.5 MB  (2,621,440 bytes) of free disk space.",
            "Not Enough Free Disk Space", MB_ICONERROR | MB_OK};
}

}  // namespace

TEST_F(PageBoxes, EveryPageAsksBeforeAbortingAndOnlyNoStays) {
    ASSERT_TRUE(desktop.active && page);
    const WizardPage::Handler pages[] = {WelcomePage::handle, LicensePage::handle,
                                         TargetFolderPage::handle, FileTypesPage::handle,
                                         SummaryPage::handle};
    for (size_t index = 0; index < 5; ++index) {
        for (int answer : {IDNO, IDYES}) {
            MessageBoxCatcher catcher({answer});
            EXPECT_EQ(answer == IDNO, vetoes(pages[index], PSN_QUERYCANCEL)) << index;
            expectBoxes({Abort}, catcher, page, "page " + std::to_string(index));
        }
    }
}

// Each case starts afresh from what was typed into the edit.
TEST_F(PageBoxes, TargetFolderIsRefusedWithTheReason) {
    ASSERT_TRUE(desktop.active && page);
    const Box invalid = {"The target folder you specified is invalid.", "Target Folder",
                         MB_ICONERROR | MB_OK};
    const struct {
        const char* typed;
        std::vector<int> answers;
        std::vector<Box> boxes;
        const char* stored;  // null: refused
    } cases[] = {
        {"C:\\Songs*", {}, {invalid}, nullptr},
        {"C:\\Tab\there", {}, {invalid}, nullptr},
        {" q:\\ ", {IDNO}, {rootQuestion('q')}, nullptr},
        // No drive Q: here, so the space check fails after the root question.
        {"q:\\", {IDYES}, {rootQuestion('q'), noSpaceOn('q')}, nullptr},
        {"Q:\\Karaoke", {}, {noSpaceOn('Q')}, nullptr},
        {" C:\\Karaoke\\ ", {}, {}, "C:\\Karaoke"},
    };
    for (const auto& c : cases) {
        options.folder = "C:\\Unchanged";
        SetWindowTextA(edit, c.typed);
        MessageBoxCatcher catcher(c.answers);
        EXPECT_EQ(c.stored == nullptr, vetoes(TargetFolderPage::handle, PSN_WIZNEXT)) << c.typed;
        expectBoxes(c.boxes, catcher, page, c.typed);
        EXPECT_STREQ(c.stored ? c.stored : "C:\\Unchanged", options.folder.chars()) << c.typed;
    }
}

// A player window is up; what is held in the target folder decides the text.
TEST_F(PageBoxes, FinishRefusedWhileThePlayerRuns) {
    ASSERT_TRUE(desktop.active && page);
    HWND player = CreateWindowA("STATIC", "Lorimund's Karaoke Player", WS_OVERLAPPEDWINDOW, 0, 0,
                                100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, player);
    TempFolder dir;
    options.folder = dir.path().substr(0, dir.path().size() - 1).c_str();
    options.desktopShortcut = options.quickLaunchShortcut = false;
    options.internetExplorerPlugin = options.netscapePlugin = false;
    const std::string running = "Lorimund's Karaoke Player appears to be running.  Please\n"
                                "close Lorimund's Karaoke Player before continuing.";
    const std::string reboot = "  If \nLorimund's Karaoke Player is not currently running,\n"
                               "please reboot your machine and try installing again.";
    const struct {
        std::vector<const char*> held;
        std::string text;
    } cases[] = {{{"melko.exe"}, running},
                 {{"tonal95.dll"}, running + reboot},
                 {{"tonal16.dll", "melko.exe"}, running}};
    for (const auto& c : cases) {
        std::vector<HANDLE> held;
        for (const char* name : c.held)
            held.push_back(CreateFileA((dir / name).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, 0, nullptr));
        MessageBoxCatcher catcher;
        EXPECT_TRUE(vetoes(SummaryPage::handle, PSN_WIZFINISH)) << c.held[0];
        expectBoxes({{c.text, "Lorimund's Karaoke Player is running", MB_ICONERROR | MB_OK}},
                    catcher, page, c.held[0]);
        for (HANDLE file : held)
            CloseHandle(file);
        EXPECT_FALSE(pathExists(dir / "remove.exe")) << "nothing is installed";
    }
    DestroyWindow(player);
}
