#include "PluginFixture.h"

namespace {

const std::string NavigatorKey = "SOFTWARE\\Netscape\\Netscape Navigator";
const char* const Failed3 = "The plug-in for Netscape 3.x could not be installed.";
const char* const Failed4 = "The plug-in for Netscape 4.x could not be installed.";

class NetscapePlugin : public PluginStep {
protected:
    // A 3.x installation whose plug-ins folder exists; returns the plug-in path.
    std::string addNavigator3(const std::string& installDirectoryValue, const std::string& folder) {
        makeFolder(folder + "\\program\\plugins");
        regSetString(HKEY_CURRENT_USER, (NavigatorKey + "\\Main").c_str(), "Install Directory",
                     installDirectoryValue.c_str());
        return folder + "\\program\\plugins\\npmelko.dll";
    }
    // A 4.x version key; returns the plug-in path.
    std::string addNavigator4(const std::string& subKey, const std::string& pluginsValue,
                              const std::string& folder) {
        makeFolder(folder);
        regSetString(HKEY_LOCAL_MACHINE, (NavigatorKey + "\\" + subKey + "\\Main").c_str(),
                     "Plugins Directory", pluginsValue.c_str());
        return folder + "\\npmelko.dll";
    }
};

}  // namespace

TEST_F(NetscapePlugin, CopiesToNavigator3AndEach4DotVersion) {
    std::string folder3 = browsers / "Navigator 3";
    std::string plugin3 = addNavigator3(" \t" + folder3 + "  ", folder3);
    writeFile(plugin3, "old plug-in");
    std::string blank = addNavigator4(" 4.5", "  " + (browsers / "Nav 4.5") + " ", browsers / "Nav 4.5");
    std::string second = addNavigator4("4.61", browsers / "Nav 4.61\\", browsers / "Nav 4.61");
    std::string other = browsers / "Other";
    for (const char* notFour : {"4", "40", "3.04"})
        addNavigator4(notFour, other, other);
    regSetString(HKEY_LOCAL_MACHINE, (NavigatorKey + "\\4.7").c_str(), "", "no Main");
    regSetString(HKEY_LOCAL_MACHINE, (NavigatorKey + "\\4.8\\Main").c_str(), "Other", "");
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    EXPECT_EQ(0u, catcher.count());
    for (const std::string& plugin : {plugin3, blank, second})
        EXPECT_EQ("new plug-in", fileText(plugin)) << plugin;
    EXPECT_FALSE(pathExists(other + "\\npmelko.dll"));
    EXPECT_EQ(plugin3, record("Netscape 3"));
    EXPECT_EQ(blank, record("Netscape 4.5"));
    EXPECT_EQ(second, record("Netscape 4.61"));
    EXPECT_EQ(3u, valueCount(HKEY_CURRENT_USER, backupKey()));
}

// A failed copy is reported for its own installation; the next one is still tried.
TEST_F(NetscapePlugin, EveryFailedCopyIsReportedAndNoneRecorded) {
    regSetString(HKEY_CURRENT_USER, (NavigatorKey + "\\Main").c_str(), "Install Directory",
                 (browsers / "None 3").c_str());
    for (const char* version : {"4.0", "4.5"})
        regSetString(HKEY_LOCAL_MACHINE, (NavigatorKey + "\\" + version + "\\Main").c_str(),
                     "Plugins Directory", (browsers / "None 4").c_str());
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    std::vector<CaughtBox> boxes = catcher.boxes();
    ASSERT_EQ(3u, boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(i == 0 ? Failed3 : Failed4, boxes[i].text);
        EXPECT_EQ("Netscape plug-in installation error", boxes[i].caption);
        EXPECT_EQ(UINT(MB_ICONERROR | MB_OK), boxes[i].style);
    }
    EXPECT_EQ(0u, valueCount(HKEY_CURRENT_USER, backupKey()));
}

TEST_F(NetscapePlugin, WithoutNetscapeNothingHappens) {
    MessageBoxCatcher catcher;
    installer.installNetscapePlugin();
    EXPECT_EQ(0u, catcher.count());
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, backupKey().c_str()));
}

// The 3.x prompt is cancelled while the browser holds the plug-in; the 4.5
// prompt is answered OK once while it is held, then again after the browser
// has let go; 4.6 has no plug-ins folder, so its copy fails unprompted.
TEST_F(NetscapePlugin, BusyPromptWaitsForTheBrowserOrGivesUp) {
    std::string plugin3 = addNavigator3(browsers / "Nav3", browsers / "Nav3");
    std::string plugin4 = addNavigator4("4.5", browsers / "Nav4", browsers / "Nav4");
    addNavigator4("4.6", browsers / "None", browsers.path());
    writeFile(plugin3, "old plug-in");
    writeFile(plugin4, "old plug-in");
    HeldFiles browser({plugin3, plugin4});
    ASSERT_TRUE(browser.holding());
    MessageBoxCatcher catcher({IDCANCEL, IDOK, IDOK, IDOK, IDOK}, [&](size_t index, const CaughtBox&) {
        if (index == 3)
            browser.release();
    });
    installer.installNetscapePlugin();

    std::vector<CaughtBox> boxes = catcher.boxes();
    ASSERT_EQ(5u, boxes.size());
    for (int i : {0, 2, 3}) {
        EXPECT_EQ("Please close Netscape", boxes[i].caption);
        EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OKCANCEL), boxes[i].style);
    }
    EXPECT_EQ("Netscape 3.x appears to be running.  Please close all Netscape 3.x windows\n"
              "or the plug-in for Netscape 3.x cannot be installed.\n",
              boxes[0].text);
    for (int i : {2, 3})
        EXPECT_EQ("Netscape 4.x appears to be running.  Please close all Netscape 4.x windows\n"
                  "or the plug-in for Netscape 4.x cannot be installed.\n",
                  boxes[i].text);
    EXPECT_EQ(Failed3, boxes[1].text);
    EXPECT_EQ(Failed4, boxes[4].text);
    for (int i : {1, 4}) {
        EXPECT_EQ("Netscape plug-in installation error", boxes[i].caption);
        EXPECT_EQ(UINT(MB_ICONERROR | MB_OK), boxes[i].style);
    }
    EXPECT_EQ("old plug-in", fileText(plugin3));
    EXPECT_EQ("new plug-in", fileText(plugin4));
    EXPECT_EQ(plugin4, record("Netscape 4.5"));
    EXPECT_EQ(1u, valueCount(HKEY_CURRENT_USER, backupKey()));
}
