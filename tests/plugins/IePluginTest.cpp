#include "HeldFiles.h"
#include "MessageBoxCatcher.h"
#include "PluginFixture.h"

namespace {

const std::string ContentType = "MIME\\Database\\Content Type\\";
const std::string MimePlugins = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\MIME\\";
const std::string Mappings = "SOFTWARE\\Microsoft\\Internet Explorer\\EmbedExtnToClsidMappings\\";
const std::string ExtensionPlugins = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension\\";

class IePlugin : public PluginStep {
protected:
    IePlugin() {
        browser = browsers / "Internet Explorer";
        plugin = browser + "\\plugins\\npmelko.dll";
        makeFolder(browser + "\\plugins");
    }

    void setBrowserPath(const std::string& value) {
        regSetString(HKEY_LOCAL_MACHINE, IExploreAppPathKey.chars(), "", value.c_str());
    }
    // Bindings of other controls to our types, and some of other types.
    void addBindings() {
        regSetString(HKEY_CLASSES_ROOT, (ContentType + "audio/mid").c_str(), "Extension", ".xyz");
        regSetString(HKEY_CLASSES_ROOT, (ContentType + "audio/mid").c_str(), "CLSID", "{A}");
        regSetString(HKEY_CLASSES_ROOT, (ContentType + "audio/x-kar").c_str(), "CLSID", "{B}");
        regSetString(HKEY_CLASSES_ROOT, (ContentType + "audio/midi").c_str(), "Extension", ".midi");
        regSetString(HKEY_LOCAL_MACHINE, (MimePlugins + "audio/mid\\Deeper").c_str(), "x", "y");
        regSetString(HKEY_LOCAL_MACHINE, (MimePlugins + "midi/kar").c_str(), "", "other plug-in");
        regSetString(HKEY_LOCAL_MACHINE, (MimePlugins + "video/avi").c_str(), "", "other plug-in");
        regSetString(HKEY_LOCAL_MACHINE, (Mappings + ".mid").c_str(), "", "{M}");
        regSetString(HKEY_LOCAL_MACHINE, (Mappings + ".mid\\Sub").c_str(), "", "x");
        regSetString(HKEY_LOCAL_MACHINE, (Mappings + ".kar").c_str(), "Other", "no default");
        regSetString(HKEY_LOCAL_MACHINE, (Mappings + ".wav").c_str(), "", "{W}");
        regSetString(HKEY_LOCAL_MACHINE, (ExtensionPlugins + ".mid\\Deep").c_str(), "", "x");
        regSetString(HKEY_LOCAL_MACHINE, (ExtensionPlugins + ".rmi").c_str(), "", "x");
        regSetString(HKEY_LOCAL_MACHINE, (ExtensionPlugins + ".wav").c_str(), "", "x");
    }
    void expectBindingsUntouched() {
        EXPECT_TRUE(regValueExists(HKEY_CLASSES_ROOT, (ContentType + "audio/mid").c_str(), "CLSID"));
        EXPECT_FALSE(regKeyExists(HKEY_CLASSES_ROOT, (ContentType + "midi/kar").c_str()));
        EXPECT_TRUE(regKeyExists(HKEY_LOCAL_MACHINE, (MimePlugins + "audio/mid").c_str()));
        EXPECT_TRUE(regKeyExists(HKEY_LOCAL_MACHINE, (Mappings + ".mid").c_str()));
        EXPECT_TRUE(regKeyExists(HKEY_LOCAL_MACHINE, (ExtensionPlugins + ".mid").c_str()));
        EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, backupKey().c_str()));
    }
    std::string extensionOf(const std::string& type) {
        std::string value;
        return regGetString(HKEY_CLASSES_ROOT, (ContentType + type).c_str(), "Extension", value)
                   ? value
                   : "<absent>";
    }

    std::string browser, plugin;
};

}  // namespace

TEST_F(IePlugin, CopiesBesideTheBrowserAndClearsItsBindings) {
    setBrowserPath("  " + browser + "\\browser.exe \t");
    addBindings();
    MessageBoxCatcher catcher;
    installer.installIePlugin();
    EXPECT_EQ(0u, catcher.count());
    EXPECT_EQ("new plug-in", fileText(plugin));
    EXPECT_EQ(plugin, record("Internet Explorer"));

    const char* const types[][2] = {
        {"audio/mid", ".mid"},    {"audio/midi", ".mid"}, {"audio/x-mid", ".mid"},
        {"audio/x-midi", ".mid"}, {"audio/rmi", ".rmi"},  {"audio/kar", ".kar"},
        {"audio/x-kar", ".kar"},  {"midi/mid", ".mid"},   {"midi/kar", ".kar"}};
    for (const auto& type : types) {
        EXPECT_EQ(type[1], extensionOf(type[0])) << type[0];
        EXPECT_FALSE(regValueExists(HKEY_CLASSES_ROOT, (ContentType + type[0]).c_str(), "CLSID"));
        EXPECT_FALSE(regKeyExists(HKEY_LOCAL_MACHINE, (MimePlugins + type[0]).c_str())) << type[0];
    }
    EXPECT_EQ(1u, valueCount(HKEY_CLASSES_ROOT, ContentType + "midi/kar"));  // created afresh
    EXPECT_EQ("{A}", record("audio/mid", "\\CLSID"));
    EXPECT_EQ("{B}", record("audio/x-kar", "\\CLSID"));
    EXPECT_EQ(2u, valueCount(HKEY_CURRENT_USER, backupKey("\\CLSID")));
    EXPECT_TRUE(regKeyExists(HKEY_LOCAL_MACHINE, (MimePlugins + "video/avi").c_str()));

    for (const char* extension : {".mid", ".kar"})
        EXPECT_FALSE(regKeyExists(HKEY_LOCAL_MACHINE, (Mappings + extension).c_str())) << extension;
    EXPECT_EQ("{M}", record(".mid", "\\Embed"));
    EXPECT_EQ(1u, valueCount(HKEY_CURRENT_USER, backupKey("\\Embed")));
    for (const char* extension : {".mid", ".rmi"})
        EXPECT_FALSE(regKeyExists(HKEY_LOCAL_MACHINE, (ExtensionPlugins + extension).c_str()));
    EXPECT_TRUE(regKeyExists(HKEY_LOCAL_MACHINE, (Mappings + ".wav").c_str()));
    EXPECT_TRUE(regKeyExists(HKEY_LOCAL_MACHINE, (ExtensionPlugins + ".wav").c_str()));
}

TEST_F(IePlugin, SecondRunKeepsTheFirstRunsBackups) {
    setBrowserPath(browser + "\\iexplore.exe");
    addBindings();
    installer.installIePlugin();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, backupKey().c_str(), 0, KEY_ALL_ACCESS, &key));
    RegDeleteValueA(key, "Internet Explorer");
    RegCloseKey(key);
    installer.installIePlugin();
    EXPECT_EQ(plugin, record("Internet Explorer"));
    EXPECT_EQ("{A}", record("audio/mid", "\\CLSID"));
    EXPECT_EQ(2u, valueCount(HKEY_CURRENT_USER, backupKey("\\CLSID")));
    EXPECT_EQ("{M}", record(".mid", "\\Embed"));
    EXPECT_EQ(1u, valueCount(HKEY_CURRENT_USER, backupKey("\\Embed")));
}

TEST_F(IePlugin, UnusableBrowserPathEndsTheStepUntouched) {
    addBindings();
    for (const char* path : {"iexplore.exe", "  \\iexplore.exe"}) {
        setBrowserPath(path);
        installer.installIePlugin();
        expectBindingsUntouched();
    }
    // The key stays, without its value.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, IExploreAppPathKey.chars(), 0,
                                           KEY_ALL_ACCESS, &key));
    RegDeleteValueA(key, "");
    RegCloseKey(key);
    installer.installIePlugin();
    expectBindingsUntouched();
    EXPECT_FALSE(pathExists(plugin));
}

TEST_F(IePlugin, UnregisteredBrowserStillClearsTheBindings) {
    addBindings();
    installer.installIePlugin();
    EXPECT_FALSE(pathExists(plugin));
    EXPECT_EQ("<absent>", record("Internet Explorer"));
    EXPECT_EQ(".mid", extensionOf("audio/mid"));
    EXPECT_EQ("{M}", record(".mid", "\\Embed"));
    EXPECT_FALSE(regKeyExists(HKEY_LOCAL_MACHINE, (Mappings + ".mid").c_str()));
}

TEST_F(IePlugin, FailedCopyLeavesTheBindings) {
    setBrowserPath(browser + "\\iexplore.exe");
    addBindings();
    writeFile(plugin, "old plug-in");
    HeldFiles running({plugin});
    ASSERT_TRUE(running.holding());
    MessageBoxCatcher catcher({IDCANCEL, IDOK});
    installer.installIePlugin();
    running.release();

    std::vector<CaughtBox> boxes = catcher.boxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Internet Explorer appears to be running.  Please close all Internet Explorer "
              "windows\nor the plug-in for Internet Explorer cannot be installed.\n",
              boxes[0].text);
    EXPECT_EQ("Please close Internet Explorer", boxes[0].caption);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OKCANCEL), boxes[0].style);
    EXPECT_EQ("The plug-in for Internet Explorer could not be installed.", boxes[1].text);
    EXPECT_EQ("Internet Explorer plug-in installation error", boxes[1].caption);
    EXPECT_EQ(UINT(MB_ICONERROR | MB_OK), boxes[1].style);
    EXPECT_EQ("old plug-in", fileText(plugin));
    EXPECT_EQ(".xyz", extensionOf("audio/mid"));
    expectBindingsUntouched();
}
