// The earlier version's uninstall log, "mkremove.log" in the program folder.
// Constructing the object replays the log: registry values that the earlier
// installation changed are given back while nobody has changed them since,
// values it needs are written where missing, and the files it installed are
// deleted. Destroying it deletes the log, whatever happened before.
#ifndef LKP_PAYLOAD_KOLDLOGFILE_H
#define LKP_PAYLOAD_KOLDLOGFILE_H

#include <windows.h>

#include <vector>

#include "base/KString.h"

class KOldLogFile {
public:
    // The log ended early or held an impossible length; never leaves the class.
    class EReadFile {};

    // folder ends with a backslash.
    explicit KOldLogFile(const KString& folder);
    ~KOldLogFile();

    // Byte limit of every counted string and data block in the log.
    static const DWORD MaxField = 1024;

private:
    KOldLogFile(const KOldLogFile&) = delete;
    KOldLogFile& operator=(const KOldLogFile&) = delete;

    void replay();
    bool replayRecord(DWORD type);  // false: the record ends the log

    void readExact(void* buffer, DWORD count);
    DWORD readWord();
    void readCountedString(KString& out, DWORD limit = MaxField);
    void readBlock(std::vector<BYTE>& out, DWORD count);
    // The head of every registry record: root word, key path and, for a
    // named value, the value's name. Returns the root word unchecked.
    DWORD readRegistryPlace(KString& keyPath, KString& name, bool named);

    // Each reads all of its record's fields before it changes anything.
    void replayStringValue(bool named);
    void replayBinaryValue();
    void replayRequiredValue(bool named);
    void replayFile();

    HANDLE file_;
    KString path_;
};

#endif
