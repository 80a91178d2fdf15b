#include "HeldFiles.h"
#include "MessageBoxCatcher.h"
#include "PluginFixture.h"

namespace {

const char* const Navigator3Key = "SOFTWARE\\Netscape\\Netscape Navigator\\Main";
const char* const NavigatorKey = "SOFTWARE\\Netscape\\Netscape Navigator";
const char* const Busy3 =
    "Netscape 3.x appears to be running.  Please close all Netscape 3.x windows\n"
    "or the plug-in for Netscape 3.x cannot be installed.\n";
const char* const Busy4 =
    "Netscape 4.x appears to be running.  Please close all Netscape 4.x windows\n"
    "or the plug-in for Netscape 4.x cannot be installed.\n";
const char* const ErrorCaption = "Netscape plug-in installation error";

class NetscapePlugin : public PluginStep {
protected:
    // A 3.x installation whose plug-ins folder exists; returns the plug-in path.
    std::string addNavigator3(const std::string& installDirectoryValue, const std::string& folder) {
        makeFolder(folder + "\\program\\plugins");
        regSetString(HKEY_CURRENT_USER, Navigator3Key, "Install Directory",
                     installDirectoryValue.c_str());
        return folder + "\\program\\plugins\\npmelko.dll";
    }
    // A 4.x version key; returns the plug-in path.
    std::string addNavigator4(const std::string& subKey, const std::string& pluginsValue,
                              const std::string& folder) {
        makeFolder(folder);
        regSetString(HKEY_LOCAL_MACHINE, (std::string(NavigatorKey) + "\\" + subKey + "\\Main").c_str(),
                     "Plugins Directory", pluginsValue.c_str());
        return folder + "\\npmelko.dll";
    }
};

}  // namespace

TEST_F(NetscapePlugin, Navigator3FolderIsTrimmedAndGetsItsBackslash) {
    std::string folder = browsers / "Navigator 3";
    std::string plugin = addNavigator3(" \t" + folder + "  ", folder);
    writeFile(plugin, "old plug-in");
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    EXPECT_EQ("new plug-in", fileText(plugin));
    EXPECT_EQ(plugin, record("Netscape 3"));

    addNavigator3(folder + "\\", folder);
    RegDeleteKeyA(HKEY_CURRENT_USER, backupKey().c_str());
    installer.installNetscapePlugin();
    EXPECT_EQ(plugin, record("Netscape 3"));
    EXPECT_EQ(0u, catcher.count());
}

TEST_F(NetscapePlugin, OnlyVersionKeysBeginningWith4DotAreCopiedTo) {
    std::string blank = addNavigator4(" 4.5", "  " + (browsers / "Nav 4.5") + " ", browsers / "Nav 4.5");
    std::string second = addNavigator4("4.61", browsers / "Nav 4.61\\", browsers / "Nav 4.61");
    std::string other = browsers / "Other";
    for (const char* notFour : {"4", "40", "3.04"})
        addNavigator4(notFour, other, other);
    regSetString(HKEY_LOCAL_MACHINE, (std::string(NavigatorKey) + "\\4.7").c_str(), "", "no Main");
    regSetString(HKEY_LOCAL_MACHINE, (std::string(NavigatorKey) + "\\4.8\\Main").c_str(), "Other", "");
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    EXPECT_EQ("new plug-in", fileText(blank));
    EXPECT_EQ("new plug-in", fileText(second));
    EXPECT_FALSE(pathExists(other + "\\npmelko.dll"));
    EXPECT_EQ(blank, record("Netscape 4.5"));
    EXPECT_EQ(second, record("Netscape 4.61"));
    EXPECT_EQ(2u, valueCount(HKEY_CURRENT_USER, backupKey()));
    EXPECT_EQ(0u, catcher.count());
}

TEST_F(NetscapePlugin, FailedCopiesAreReportedPerPassAndNotRecorded) {
    regSetString(HKEY_CURRENT_USER, Navigator3Key, "Install Directory", (browsers / "None").c_str());
    for (const char* version : {"4.0", "4.5"})
        regSetString(HKEY_LOCAL_MACHINE, (std::string(NavigatorKey) + "\\" + version + "\\Main").c_str(),
                     "Plugins Directory", (browsers / "None").c_str());
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    std::vector<CaughtBox> boxes = catcher.boxes();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("The plug-in for Netscape 3.x could not be installed.", boxes[0].text);
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ("The plug-in for Netscape 4.x could not be installed.", boxes[i].text);
    for (const CaughtBox& box : boxes) {
        EXPECT_EQ(ErrorCaption, box.caption);
        EXPECT_EQ(UINT(MB_ICONERROR | MB_OK), box.style);
    }
    EXPECT_EQ(0u, valueCount(HKEY_CURRENT_USER, backupKey()));
}

TEST_F(NetscapePlugin, WithoutNetscapeNothingHappens) {
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    EXPECT_EQ(0u, catcher.count());
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, backupKey().c_str()));
}

// The 3.x prompt is cancelled while the browser still holds the plug-in; the
// 4.x prompt is answered OK once while it is held, then again after the
// browser has let go.
TEST_F(NetscapePlugin, BusyPromptWaitsForTheBrowserOrGivesUp) {
    std::string plugin3 = addNavigator3(browsers / "Nav3", browsers / "Nav3");
    std::string plugin4 = addNavigator4("4.5", browsers / "Nav4", browsers / "Nav4");
    writeFile(plugin3, "old plug-in");
    writeFile(plugin4, "old plug-in");
    HeldFiles browser({plugin3, plugin4});
    ASSERT_TRUE(browser.holding());
    MessageBoxCatcher catcher({IDCANCEL, IDOK, IDOK, IDOK}, [&](size_t index, const CaughtBox&) {
        if (index == 3)
            browser.release();
    });
    installer.installNetscapePlugin();

    std::vector<CaughtBox> boxes = catcher.boxes();
    ASSERT_EQ(4u, boxes.size());
    for (int i : {0, 2, 3}) {
        EXPECT_EQ("Please close Netscape", boxes[i].caption);
        EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OKCANCEL), boxes[i].style);
    }
    EXPECT_EQ(Busy3, boxes[0].text);
    EXPECT_EQ("The plug-in for Netscape 3.x could not be installed.", boxes[1].text);
    EXPECT_EQ(UINT(MB_ICONERROR | MB_OK), boxes[1].style);
    EXPECT_EQ(Busy4, boxes[2].text);
    EXPECT_EQ(Busy4, boxes[3].text);
    EXPECT_EQ("old plug-in", fileText(plugin3));
    EXPECT_EQ("new plug-in", fileText(plugin4));
    EXPECT_EQ("<absent>", record("Netscape 3"));
    EXPECT_EQ(plugin4, record("Netscape 4.5"));
}
