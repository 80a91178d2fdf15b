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

// The DLL names of an import directory (ordinary or delay-load) of a PE image.
class PeImage {
public:
    explicit PeImage(const std::string& bytes) : bytes_(bytes) {}

    bool valid() const { return headers() != nullptr; }

    std::vector<std::string> importedDlls(int directory) const {
        std::vector<std::string> names;
        const IMAGE_NT_HEADERS32* nt = headers();
        if (!nt || nt->OptionalHeader.NumberOfRvaAndSizes <= static_cast<DWORD>(directory))
            return names;
        DWORD rva = nt->OptionalHeader.DataDirectory[directory].VirtualAddress;
        if (rva == 0)
            return names;
        // An import descriptor is 20 bytes, a delay-load descriptor 32; both
        // name the DLL in their second (delay) or fourth (import) field.
        const size_t size = directory == IMAGE_DIRECTORY_ENTRY_IMPORT ? 20 : 32;
        const size_t nameField = directory == IMAGE_DIRECTORY_ENTRY_IMPORT ? 12 : 4;
        for (size_t offset = toFile(rva);; offset += size) {
            if (offset == 0 || offset + size > bytes_.size())
                break;
            DWORD nameRva;
            std::memcpy(&nameRva, &bytes_[offset + nameField], 4);
            if (nameRva == 0)
                break;
            size_t nameAt = toFile(nameRva);
            if (nameAt == 0)
                break;
            names.push_back(bytes_.c_str() + nameAt);
        }
        return names;
    }

private:
    const IMAGE_NT_HEADERS32* headers() const {
        if (bytes_.size() < sizeof(IMAGE_DOS_HEADER))
            return nullptr;
        LONG at = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes_.data())->e_lfanew;
        if (at <= 0 || static_cast<size_t>(at) + sizeof(IMAGE_NT_HEADERS32) > bytes_.size())
            return nullptr;
        auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes_.data() + at);
        return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
    }

    // File offset of a relative virtual address; 0 when no section holds it.
    size_t toFile(DWORD rva) const {
        const IMAGE_NT_HEADERS32* nt = headers();
        auto section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
            reinterpret_cast<const char*>(&nt->OptionalHeader) +
            nt->FileHeader.SizeOfOptionalHeader);
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
            if (rva >= section->VirtualAddress &&
                rva < section->VirtualAddress + section->SizeOfRawData)
                return rva - section->VirtualAddress + section->PointerToRawData;
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

}  // namespace

// Windows looks for any other DLL beside the program first, which in a
// download folder is where a planted one would wait.
TEST(BuiltExecutable, ImportsOnlyDllsThatCannotBePlanted) {
    PeImage image(readWholeFile(InstallerExe));
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
        std::string manifest = manifestOf(InstallerExe);
        EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
        EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
    }
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
