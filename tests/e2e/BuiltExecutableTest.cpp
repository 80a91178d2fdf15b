// The installers as built, read the way Windows reads them: the manifest as
// the loader finds it, the version information through the version API. A
// 64-bit process can load the 32-bit release as a data file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Driver.h"

namespace {

std::vector<std::string> builtInstallers() {
    std::vector<std::string> paths = {InstallerExe};
#ifdef LKP_RELEASE_INSTALLER_EXE
    paths.push_back(LKP_RELEASE_INSTALLER_EXE);
#endif
    return paths;
}

// The application manifest: resource type 24 (RT_MANIFEST), id 1. Empty when
// the loader would find none.
std::string manifestOf(const std::string& path) {
    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image)
        return "";
    std::string text;
    if (HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(image, found)));
        if (data)
            text.assign(data, SizeofResource(image, found));
    }
    FreeLibrary(image);
    return text;
}

// The whole start tag of the element in which text occurs; empty when absent.
std::string tagHolding(const std::string& xml, const std::string& text) {
    size_t at = xml.find(text);
    if (at == std::string::npos)
        return "";
    size_t open = xml.rfind('<', at), close = xml.find('>', at);
    return open == std::string::npos || close == std::string::npos
               ? ""
               : xml.substr(open, close + 1 - open);
}

// The text of the first element named tag, such as <dpiAware ...>true</dpiAware>.
std::string elementText(const std::string& xml, const std::string& tag) {
    size_t open = xml.find("<" + tag);
    size_t start = open == std::string::npos ? open : xml.find('>', open);
    size_t end = start == std::string::npos ? start : xml.find('<', start);
    return end == std::string::npos ? "" : xml.substr(start + 1, end - start - 1);
}

}  // namespace

TEST(BuiltExecutable, ManifestAndVersionResource) {
    for (const std::string& path : builtInstallers()) {
        SCOPED_TRACE(path);
        const std::string manifest = manifestOf(path);
        ASSERT_FALSE(manifest.empty());
        const std::string controls = tagHolding(manifest, "\"Microsoft.Windows.Common-Controls\"");
        EXPECT_NE(std::string::npos, controls.find("version=\"6.0.0.0\"")) << controls;
        EXPECT_NE(std::string::npos, manifest.find("<dependentAssembly>"));
        const std::string level = tagHolding(manifest, "requestedExecutionLevel");
        EXPECT_NE(std::string::npos, level.find("level=\"requireAdministrator\"")) << level;
        EXPECT_EQ("true", elementText(manifest, "dpiAware"));
        // Vista, 7, 8, 8.1, 10 and 11.
        for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                               "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                               "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                               "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
            EXPECT_EQ(0u, tagHolding(manifest, os).find("<supportedOS ")) << os;

        DWORD unused = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
        ASSERT_NE(0u, size);
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(4, 2)), fixed->dwFileVersionMS);
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(4, 2)), fixed->dwProductVersionMS);
        // The strings live in the block that the translation table names.
        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        ASSERT_GE(length, 4u);
        char block[64];
        std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", translation[0],
                      translation[1]);
        const char* const strings[][2] = {
            {"CompanyName", "Lorimund"},
            {"FileDescription", "Lorimund's Karaoke Player 2.04 Installer"},
            {"FileVersion", "2.04"},
            {"OriginalFilename", "karaoke204setup.exe"},
            {"ProductName", "Lorimund's Karaoke Player"},
            {"ProductVersion", "2.04"}};
        for (const auto& entry : strings) {
            char* text = nullptr;
            EXPECT_TRUE(VerQueryValueA(info.data(), (std::string(block) + entry[0]).c_str(),
                                       reinterpret_cast<void**>(&text), &length) &&
                        std::string(text) == entry[1])
                << block << entry[0];
        }
    }
}
