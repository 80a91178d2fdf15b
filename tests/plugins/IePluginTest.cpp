#include "PluginFixture.h"

namespace {

const std::string ContentType = "MIME\\Database\\Content Type\\";
const std::string MimePlugins = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\MIME\\";
const std::string Mappings = "SOFTWARE\\Microsoft\\Internet Explorer\\EmbedExtnToClsidMappings\\";
const std::string ExtensionPlugins = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension\\";

bool exists(HKEY root, const std::string& key) { return regKeyExists(root, key.c_str()); }

class IePlugin : public PluginStep {
protected:
    IePlugin() {
        makeFolder(browser + "\\plugins");
        // Bindings of other controls to our types, and some of other types.
        set(HKEY_CLASSES_ROOT, ContentType + "audio/mid", "Extension", ".xyz");
        set(HKEY_CLASSES_ROOT, ContentType + "audio/mid", "CLSID", "{A}");
        set(HKEY_CLASSES_ROOT, ContentType + "audio/x-kar", "CLSID", "{B}");
        set(HKEY_CLASSES_ROOT, ContentType + "audio/midi", "Extension", ".midi");
        set(HKEY_LOCAL_MACHINE, MimePlugins + "audio/mid\\Deeper", "x", "y");
        set(HKEY_LOCAL_MACHINE, MimePlugins + "midi/kar", "", "other plug-in");
        set(HKEY_LOCAL_MACHINE, MimePlugins + "video/avi", "", "other plug-in");
        set(HKEY_LOCAL_MACHINE, Mappings + ".mid", "", "{M}");
        set(HKEY_LOCAL_MACHINE, Mappings + ".mid\\Sub", "", "x");
        set(HKEY_LOCAL_MACHINE, Mappings + ".kar", "Other", "no default");
        set(HKEY_LOCAL_MACHINE, Mappings + ".wav", "", "{W}");
        set(HKEY_LOCAL_MACHINE, ExtensionPlugins + ".mid\\Deep", "", "x");
        set(HKEY_LOCAL_MACHINE, ExtensionPlugins + ".rmi", "", "x");
        set(HKEY_LOCAL_MACHINE, ExtensionPlugins + ".wav", "", "x");
    }

    static void set(HKEY root, const std::string& key, const char* name, const std::string& value) {
        regSetString(root, key.c_str(), name, value.c_str());
    }
    void setBrowserPath(const std::string& value) {
        set(HKEY_LOCAL_MACHINE, IExploreAppPathKey.chars(), "", value);
    }
    void expectBindingsUntouched() {
        EXPECT_EQ(".xyz", extensionOf("audio/mid"));
        EXPECT_TRUE(regValueExists(HKEY_CLASSES_ROOT, (ContentType + "audio/mid").c_str(), "CLSID"));
        EXPECT_FALSE(exists(HKEY_CLASSES_ROOT, ContentType + "midi/kar"));
        EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, MimePlugins + "audio/mid"));
        EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, Mappings + ".mid"));
        EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, ExtensionPlugins + ".mid"));
        EXPECT_FALSE(exists(HKEY_CURRENT_USER, backupKey()));
    }
    std::string extensionOf(const std::string& type) {
        std::string value;
        return regGetString(HKEY_CLASSES_ROOT, (ContentType + type).c_str(), "Extension", value)
                   ? value
                   : "<absent>";
    }
    void expectBackups() {
        EXPECT_EQ("{A}", record("audio/mid", "\\CLSID"));
        EXPECT_EQ("{B}", record("audio/x-kar", "\\CLSID"));
        EXPECT_EQ(2u, valueCount(HKEY_CURRENT_USER, backupKey("\\CLSID")));  // none for audio/midi
        EXPECT_EQ("{M}", record(".mid", "\\Embed"));
        EXPECT_EQ(1u, valueCount(HKEY_CURRENT_USER, backupKey("\\Embed")));
    }

    std::string browser = browsers / "Internet Explorer";
    std::string plugin = browser + "\\plugins\\npmelko.dll";
};

}  // namespace

TEST_F(IePlugin, CopiesBesideTheBrowserAndClearsItsBindings) {
    setBrowserPath("  " + browser + "\\browser.exe \t");
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
        EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, MimePlugins + type[0])) << type[0];
    }
    EXPECT_EQ(1u, valueCount(HKEY_CLASSES_ROOT, ContentType + "midi/kar"));  // created afresh
    EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, MimePlugins + "video/avi"));
    for (const char* extension : {".mid", ".kar"})
        EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, Mappings + extension)) << extension;
    for (const char* extension : {".mid", ".rmi"})
        EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, ExtensionPlugins + extension)) << extension;
    EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, Mappings + ".wav"));
    EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, ExtensionPlugins + ".wav"));
    expectBackups();

    // A second run, after the copy and its record went, copies and records
    // again; it finds nothing to save and keeps the first run's backups.
    ASSERT_TRUE(DeleteFileA(plugin.c_str()));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, backupKey().c_str(), 0, KEY_SET_VALUE, &key));
    RegDeleteValueA(key, "Internet Explorer");
    RegCloseKey(key);
    installer.installIePlugin();
    EXPECT_EQ("new plug-in", fileText(plugin));
    EXPECT_EQ(plugin, record("Internet Explorer"));
    expectBackups();
}

TEST_F(IePlugin, UnusableBrowserPathEndsTheStepUntouched) {
    for (const char* path : {"iexplore.exe", "  \\iexplore.exe"}) {
        setBrowserPath(path);
        installer.installIePlugin();
        expectBindingsUntouched();
    }
    // The key without its value.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, IExploreAppPathKey.chars());
    set(HKEY_LOCAL_MACHINE, IExploreAppPathKey.chars(), "Other", "x");
    installer.installIePlugin();
    expectBindingsUntouched();
    EXPECT_FALSE(pathExists(plugin));
}

TEST_F(IePlugin, UnregisteredBrowserStillClearsTheBindings) {
    installer.installIePlugin();
    EXPECT_FALSE(pathExists(plugin));
    EXPECT_EQ("<absent>", record("Internet Explorer"));
    EXPECT_EQ(".mid", extensionOf("audio/mid"));
    expectBackups();
    EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, Mappings + ".mid"));
}

TEST_F(IePlugin, FailedCopyLeavesTheBindings) {
    setBrowserPath(browser + "\\iexplore.exe");
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
    expectBindingsUntouched();
}
