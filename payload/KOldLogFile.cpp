#include "payload/KOldLogFile.h"

#include <cstring>

namespace {

// Record types of the log; any other type ends it like End.
enum : DWORD {
    End = 0,
    DefaultString = 0x100,
    NamedString = 0x101,
    NamedBinary = 0x102,
    RequiredDefault = 0x103,
    RequiredNamed = 0x104,
    InstalledFile = 0x110,
};

bool knownVersion(DWORD version) {
    return version == 140 || version == 201 || version == 202;
}

}  // namespace

KOldLogFile::KOldLogFile(const KString& folder)
    : file_(INVALID_HANDLE_VALUE), path_(folder + "mkremove.log") {
    // Not shared: nobody changes the log while it is replayed.
    file_ = CreateFileA(path_.chars(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    try {
        replay();
    } catch (const EReadFile&) {
        // A damaged record stops the replay; the records before it stay done.
    }
}

KOldLogFile::~KOldLogFile() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    DeleteFileA(path_.chars());
}

void KOldLogFile::replay() {
    char magic[4];
    readExact(magic, sizeof magic);
    if (std::memcmp(magic, "MkUN", sizeof magic) != 0 || !knownVersion(readWord()))
        return;
    while (replayRecord(readWord())) {
    }
}

bool KOldLogFile::replayRecord(DWORD type) {
    switch (type) {
    case DefaultString:
        replayStringValue(false);
        return true;
    case NamedString:
        replayStringValue(true);
        return true;
    case NamedBinary:
        replayBinaryValue();
        return true;
    case RequiredDefault:
        replayRequiredValue(false);
        return true;
    case RequiredNamed:
        replayRequiredValue(true);
        return true;
    case InstalledFile:
        replayFile();
        return true;
    default:
        return false;
    }
}

void KOldLogFile::readExact(void* buffer, DWORD count) {
    DWORD got = 0;
    if (!ReadFile(file_, buffer, count, &got, nullptr) || got != count)
        throw EReadFile();
}

DWORD KOldLogFile::readWord() {
    BYTE bytes[4];
    readExact(bytes, sizeof bytes);
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

void KOldLogFile::readCountedString(KString& out, DWORD limit) {
    out.clear();
    DWORD count = readWord();
    if (count > limit)
        throw EReadFile();
    if (count == 0)
        return;
    char* buffer = out.getBuffer(static_cast<int>(count));
    DWORD got = 0;
    if (!ReadFile(file_, buffer, count, &got, nullptr) || got != count) {
        out.releaseBuffer(0);
        throw EReadFile();
    }
    out.releaseBuffer(static_cast<int>(count));
}

void KOldLogFile::readBlock(std::vector<BYTE>& out, DWORD count) {
    out.resize(count);
    if (count > 0)
        readExact(out.data(), count);
}
