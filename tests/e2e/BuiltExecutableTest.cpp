// The installer as built: which DLLs Windows loads for it before its first
// instruction, and what it says about itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "Driver.h"
#include "Scenario.h"

namespace {

// The DLL names of an import directory (ordinary or delay-load) of a PE
// image, 32-bit or 64-bit.
class PeImage {
public:
    explicit PeImage(const std::string& bytes) : bytes_(bytes) {}

    bool valid() const { return optionalHeader() != 0; }

    std::vector<std::string> importedDlls(int directory) const {
        std::vector<std::string> names;
        size_t optional = optionalHeader();
        if (optional == 0)
            return names;
        bool wide = word(optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
        size_t directories = optional + (wide ? 112 : 96);
        if (dword(optional + (wide ? 108 : 92)) <= static_cast<DWORD>(directory))
            return names;
        DWORD rva = dword(directories + 8 * directory);
        if (rva == 0)
            return names;
        // An import descriptor is 20 bytes and names its DLL in its fourth
        // field; a delay-load descriptor is 32 bytes, the name second.
        const bool delay = directory == IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT;
        const size_t size = delay ? 32 : 20;
        const size_t nameField = delay ? 4 : 12;
        for (size_t at = toFile(rva); at != 0 && at + size <= bytes_.size(); at += size) {
            size_t nameAt = toFile(dword(at + nameField));
            if (nameAt == 0)
                break;
            names.push_back(bytes_.c_str() + nameAt);
        }
        return names;
    }

private:
    DWORD dword(size_t at) const {
        DWORD value = 0;
        if (at + 4 <= bytes_.size())
            std::memcpy(&value, &bytes_[at], 4);
        return value;
    }
    WORD word(size_t at) const { return static_cast<WORD>(dword(at) & 0xFFFF); }

    // File offset of the optional header; 0 when this is no PE image.
    size_t optionalHeader() const {
        if (bytes_.size() < 0x40 || word(0) != IMAGE_DOS_SIGNATURE)
            return 0;
        size_t nt = dword(0x3C);
        if (dword(nt) != IMAGE_NT_SIGNATURE)
            return 0;
        return nt + 4 + sizeof(IMAGE_FILE_HEADER);
    }

    // File offset of a relative virtual address; 0 when no section holds it.
    size_t toFile(DWORD rva) const {
        size_t optional = optionalHeader();
        size_t fileHeader = optional - sizeof(IMAGE_FILE_HEADER);
        WORD sections = word(fileHeader + 2);
        size_t section = optional + word(fileHeader + 16);
        for (WORD i = 0; i < sections; ++i, section += sizeof(IMAGE_SECTION_HEADER)) {
            DWORD address = dword(section + 12);
            DWORD rawSize = dword(section + 16);
            if (rva >= address && rva < address + rawSize)
                return rva - address + dword(section + 20);
        }
        return 0;
    }

    std::string bytes_;
};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return text;
}

std::string manifestOf(const char* path) {
    HMODULE image = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
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

// Windows looks for any other DLL beside the program first, which in a
// download folder is where a planted one would wait.
void expectOnlyUnplantableImports(const char* installer) {
    SCOPED_TRACE(installer);
    PeImage image(readWholeFile(installer));
    ASSERT_TRUE(image.valid());
    const std::set<std::string> knownDlls = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                             "advapi32.dll", "shell32.dll", "ole32.dll",
                                             "msvcrt.dll"};
    std::vector<std::string> imported = image.importedDlls(IMAGE_DIRECTORY_ENTRY_IMPORT);
    EXPECT_FALSE(imported.empty());
    bool commonControls = false;
    for (const std::string& name : imported) {
        if (lowerCase(name) == "comctl32.dll")
            commonControls = true;
        else
            EXPECT_TRUE(knownDlls.count(lowerCase(name))) << name << " may be planted";
    }
    EXPECT_TRUE(image.importedDlls(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).empty());
    // Common controls come from the side-by-side store, never from beside the
    // program, only when the manifest asks for version 6.
    if (commonControls) {
        std::string manifest = manifestOf(installer);
        EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
        EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
    }
}

}  // namespace

TEST(BuiltExecutable, ImportsOnlyDllsThatCannotBePlanted) {
    // The check sees a DLL that may be planted: this driver imports one.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::vector<std::string> own = PeImage(readWholeFile(self)).importedDlls(
        IMAGE_DIRECTORY_ENTRY_IMPORT);
    EXPECT_TRUE(std::any_of(own.begin(), own.end(), [](const std::string& name) {
        return lowerCase(name) == "version.dll";
    }));

    expectOnlyUnplantableImports(InstallerExe);
#ifdef LKP_RELEASE_INSTALLER_EXE
    expectOnlyUnplantableImports(LKP_RELEASE_INSTALLER_EXE);
#endif
}

TEST(BuiltExecutable, ManifestAndVersionInformation) {
    std::string manifest = manifestOf(InstallerExe);
    EXPECT_NE(std::string::npos, manifest.find("requireAdministrator"));
    EXPECT_NE(std::string::npos, manifest.find("dpiAware"));
    EXPECT_NE(std::string::npos, manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"));

    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(InstallerExe, &unused);
    ASSERT_NE(0u, size);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(InstallerExe, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(4, 2), fixed->dwProductVersionMS);
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductName",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ("Lorimund's Karaoke Player", text);
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ("2.04", text);
}
