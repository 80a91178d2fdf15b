// A copy of the installer whose agreement text differs from the one it was
// built with, by a single byte, ends on the licence page with the archive
// message and exit code 0.
#include <gtest/gtest.h>

#include <string>

#include "Driver.h"
#include "Scenario.h"

namespace {

const WORD LicenseId = 120;

struct Agreement {
    WORD language = 0;
    std::string text;
};

BOOL CALLBACK firstLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<Agreement*>(found)->language = language;
    return FALSE;
}

Agreement agreementOf(const std::string& path) {
    Agreement agreement;
    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image)
        return agreement;
    EnumResourceLanguagesA(image, "LORIMUND", MAKEINTRESOURCEA(LicenseId), firstLanguage,
                           reinterpret_cast<LONG_PTR>(&agreement));
    if (HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(LicenseId), "LORIMUND")) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(image, found)));
        if (data)
            agreement.text.assign(data, SizeofResource(image, found));
    }
    FreeLibrary(image);
    return agreement;
}

// A copy of the installer with the last character of its agreement changed;
// its path, empty on failure.
std::string installerWithDamagedAgreement() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string copy = std::string(temp) + "damaged-setup.exe";
    if (!CopyFileA(InstallerExe, copy.c_str(), FALSE))
        return "";
    Agreement agreement = agreementOf(copy);
    if (agreement.text.empty())
        return "";
    agreement.text.back() ^= 1;
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    if (!update)
        return "";
    BOOL changed = UpdateResourceA(update, "LORIMUND", MAKEINTRESOURCEA(LicenseId),
                                   agreement.language, &agreement.text[0],
                                   static_cast<DWORD>(agreement.text.size()));
    if (!EndUpdateResourceA(update, !changed) || !changed)
        return "";
    return agreementOf(copy).text == agreement.text ? copy : "";
}

}  // namespace

TEST(DamagedArchive, AgreementWithOneChangedByteEndsWithTheArchiveMessage) {
    std::string damaged = installerWithDamagedAgreement();
    ASSERT_FALSE(damaged.empty());
    InstallerProcess installer(damaged);
    ASSERT_TRUE(installer.started());
    Wizard wizard(installer);
    ASSERT_TRUE(wizard.find());
    ASSERT_TRUE(wizard.waitForPage(WelcomePage));
    wizard.press(NextButton);

    MessageBoxWindow box;
    ASSERT_TRUE(wizard.waitForMessageBox(box));
    EXPECT_EQ("Installation Archive Error", box.caption);
    EXPECT_EQ("This installation archive appears to be corrupt.  Please try downloading\n"
              "Lorimund's Karaoke Player from https://www.lorimund.example/.",
              box.text);
    ASSERT_TRUE(wizard.answer(box, IDOK));
    DWORD code = 1;
    ASSERT_TRUE(installer.waitForExit(30000, code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(isFolder(DefaultFolder));
}
