#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "MessageBoxCatcher.h"
#include "ModuleCopy.h"
#include "TempFolder.h"
#include "app/Installer.h"
#include "payload/PayloadEntry.h"

namespace {

const char* const ArchiveError =
    "This installation archive appears to be corrupt.  Please try downloading\n"
    "Lorimund's MIDI Player from https://www.lorimund.example/.";

FILETIME shippedTime() {
    SYSTEMTIME noon = {2000, 11, 5, 10, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&noon, &time);
    return time;
}

DWORD adler(const std::string& bytes) {
    return adler32(adler32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()),
                   static_cast<uInt>(bytes.size()));
}

PayloadEntry row(const char* resource, const char* file, DWORD fileSum, DWORD resourceSum) {
    PayloadEntry entry = {};
    strncpy(entry.resourceName, resource, sizeof entry.resourceName);
    strncpy(entry.fileName, file, sizeof entry.fileName);
    entry.fileChecksum = fileSum;
    entry.resourceChecksum = resourceSum;
    entry.fileTime = shippedTime();
    return entry;
}

std::string payloadFile(const char* name) {
    std::string bytes;
    readFile(std::string(LKP_PAYLOAD_FILES_DIR) + "\\" + name, bytes);
    return bytes;
}

bool lastWriteTime(const std::string& path, FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = GetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return ok != FALSE;
}

class ExtractPayloadTest : public ::testing::Test {
protected:
    ExtractPayloadTest() {
        options.folder = KString(dir.path().c_str());
        options.folder.erase(options.folder.length() - 1, 1);
    }
    std::string at(const char* name) const { return dir / name; }

    TempFolder dir;
    InstallOptions options;
};

}  // namespace

// The checksums and times are proven by the extraction below; here the
// order of the rows and the kind of stream the packer wrote.
TEST_F(ExtractPayloadTest, ShippedManifestListsSeventeenFilesInOrder) {
    const char* names[] = {"npmelko.dll", "melko.exe",  "tonal32.dll", "tonal95.dll", "tonal16.dll",
                           "basic.lyt",   "melko.hlp",  "remove.exe",  "backdrop.bmp", "sample1.kar",
                           "sample2.kar", "sample3.mid", "sample4.mid", "sample5.mid", "sample6.mid",
                           "sample7.mid", "sample8.kar"};
    int rows = 0;
    for (const PayloadEntry* e = PayloadManifest; e->resourceName[0] && rows < 17; ++e, ++rows) {
        EXPECT_EQ("IDR_" + std::string(rows < 10 ? "0" : "") + std::to_string(rows), e->resourceName);
        EXPECT_STREQ(names[rows], e->fileName);
        // The uninstaller's list, which it keeps without the manifest.
        EXPECT_STREQ(names[rows], PayloadFileNames[rows]);
        EXPECT_EQ(0, ownResource(e->resourceName).compare(0, 2, "\x78\xDA"));
    }
    EXPECT_EQ(17, rows);
    EXPECT_EQ('\0', PayloadManifest[17].resourceName[0]);
}

TEST_F(ExtractPayloadTest, WritesEveryFileWithItsTimeAndRemovesLeftovers) {
    writeFile(at("oldtonal.dll"), "old library");
    writeFile(at("remove.log"), "old log");
    writeFile(at("melko.exe"), "an older player");
    MessageBoxCatcher catcher;
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(installer.extractPayload());
    EXPECT_EQ(0u, catcher.count());
    for (const PayloadEntry* e = PayloadManifest; e->resourceName[0]; ++e) {
        std::string written;
        ASSERT_TRUE(readFile(at(e->fileName), written)) << e->fileName;
        EXPECT_TRUE(written == payloadFile(e->fileName)) << e->fileName;
        FILETIME time;
        ASSERT_TRUE(lastWriteTime(at(e->fileName), time));
        FILETIME shipped = shippedTime();
        EXPECT_EQ(0, CompareFileTime(&time, &shipped)) << e->fileName;
    }
    EXPECT_FALSE(pathExists(at("oldtonal.dll")));
    EXPECT_FALSE(pathExists(at("remove.log")));
}

TEST_F(ExtractPayloadTest, EmptyManifestOnlyRemovesLeftovers) {
    writeFile(at("remove.log"), "old log");
    const PayloadEntry manifest[1] = {};
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(installer.extractPayload(manifest));
    EXPECT_FALSE(pathExists(at("remove.log")));
    EXPECT_FALSE(pathExists(at("npmelko.dll")));
}

TEST_F(ExtractPayloadTest, EmptyFileInflatesToZeroBytes) {
    const PayloadEntry manifest[2] = {row("IDR_EMPTY", "empty.txt", 1, adler(ownResource("IDR_EMPTY")))};
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(installer.extractPayload(manifest));
    std::string written("x");
    EXPECT_TRUE(readFile(at("empty.txt"), written));
    EXPECT_TRUE(written.empty());
}

TEST_F(ExtractPayloadTest, AlteredResourceStopsBeforeItsFileIsWritten) {
    std::string stream = ownResource("IDR_05");
    stream[stream.size() / 2] ^= 0x01;
    ModuleCopy copy(dir / "altered.exe");
    ASSERT_TRUE(copy.setResource("IDR_05", stream));
    HMODULE module = copy.load();

    HWND owner = CreateWindowA("STATIC", "owner", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MessageBoxCatcher catcher;
    Installer installer(options, module, owner);
    EXPECT_FALSE(installer.extractPayload());
    auto boxes = catcher.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(ArchiveError, boxes[0].text);
    EXPECT_EQ("Installation Archive Error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_OK), boxes[0].style);
    EXPECT_EQ(owner, boxes[0].owner);
    DestroyWindow(owner);
    EXPECT_TRUE(pathExists(at("tonal16.dll")));
    EXPECT_FALSE(pathExists(at("basic.lyt")));
}

TEST_F(ExtractPayloadTest, MissingResourceGivesTheArchiveErrorOnce) {
    const PayloadEntry manifest[3] = {row("IDR_99", "nothing.bin", 1, 1),
                                      row("IDR_98", "nothing2.bin", 1, 1)};
    MessageBoxCatcher catcher;
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(installer.extractPayload(manifest));
    auto boxes = catcher.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(ArchiveError, boxes[0].text);
    EXPECT_EQ("Installation Archive Error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_OK), boxes[0].style);
    EXPECT_FALSE(pathExists(at("nothing.bin")));
}

TEST_F(ExtractPayloadTest, StreamCutShortLeavesNoFile) {
    std::string whole = ownResource("IDR_08");
    std::string cut = whole.substr(0, whole.size() / 2);
    ModuleCopy copy(dir / "cut.exe");
    ASSERT_TRUE(copy.setResource("IDR_CUT", cut));
    HMODULE module = copy.load();
    const PayloadEntry manifest[2] = {
        row("IDR_CUT", "backdrop.bmp", adler(payloadFile("backdrop.bmp")), adler(cut))};

    MessageBoxCatcher catcher;
    Installer installer(options, module, nullptr);
    EXPECT_FALSE(installer.extractPayload(manifest));
    auto boxes = catcher.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Fatal error: could not copy " + at("backdrop.bmp") + ".", boxes[0].text);
    EXPECT_EQ("File copy error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_OK), boxes[0].style);
    EXPECT_FALSE(pathExists(at("backdrop.bmp")));
}

TEST_F(ExtractPayloadTest, WrongFileChecksumDeletesTheWrittenFile) {
    const PayloadEntry& lyt = PayloadManifest[5];
    const PayloadEntry manifest[2] = {row("IDR_05", "basic.lyt", lyt.fileChecksum + 1, lyt.resourceChecksum)};
    MessageBoxCatcher catcher;
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(installer.extractPayload(manifest));
    ASSERT_EQ(1u, catcher.count());
    EXPECT_EQ("Fatal error: could not copy " + at("basic.lyt") + ".", catcher.boxes()[0].text);
    EXPECT_FALSE(pathExists(at("basic.lyt")));
}

// Wine running as root ignores the read-only attribute for writing, so the
// file is also held open without sharing, as a running program would.
TEST_F(ExtractPayloadTest, ProtectedFileIsLeftUnchangedAndEarlierFilesStay) {
    writeFile(at("basic.lyt"), "the user's own layout");
    SetFileAttributesA(at("basic.lyt").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA(at("basic.lyt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    MessageBoxCatcher catcher;
    Installer installer(options, GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(installer.extractPayload());
    CloseHandle(held);
    ASSERT_EQ(1u, catcher.count());
    EXPECT_EQ("Fatal error: could not copy " + at("basic.lyt") + ".", catcher.boxes()[0].text);
    std::string kept;
    ASSERT_TRUE(readFile(at("basic.lyt"), kept));
    EXPECT_EQ("the user's own layout", kept);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(pathExists(at(PayloadManifest[i].fileName))) << PayloadManifest[i].fileName;
    EXPECT_FALSE(pathExists(at("melko.hlp")));
}
