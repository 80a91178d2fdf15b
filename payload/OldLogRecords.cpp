// Applying the records of the earlier version's uninstall log. Every record
// is read whole first, so that one cut short by the end of the log changes
// nothing; then it is checked, and only then applied.
#include "payload/KOldLogFile.h"

#include <cstring>

#include "base/KRegKey.h"
#include "payload/OldLogFields.h"

namespace {

// The root's handle, or null when the record names no registry place that
// can be trusted: an unknown root, or a path or name cut by a NUL byte.
HKEY registryPlace(DWORD root, const KString& keyPath, const KString& name) {
    return isWholeText(keyPath) && isWholeText(name) ? predefinedRoot(root) : nullptr;
}

}  // namespace

DWORD KOldLogFile::readRegistryPlace(KString& keyPath, KString& name, bool named) {
    DWORD root = readWord();
    readCountedString(keyPath);
    if (named)
        readCountedString(name);
    return root;
}

void KOldLogFile::replayStringValue(bool named) {
    KString keyPath, name, installed, previous;
    DWORD root = readRegistryPlace(keyPath, name, named);
    readCountedString(installed);
    readCountedString(previous);
    HKEY rootKey = registryPlace(root, keyPath, name);
    if (!rootKey)
        return;

    try {
        KRegKey parent(rootKey);
        KRegKey key(parent, keyPath.chars(), false);
        KString current;
        // A value changed since the earlier installation is somebody else's now.
        if (!key.readString(name.chars(), current, MaxRegString) || !sameText(current, installed))
            return;
        if (!previous.empty()) {
            key.writeString(name.chars(), previous);
            return;
        }
        if (named) {
            key.deleteValue(name.chars());
            return;
        }
    } catch (const KRegKey::EOpen&) {
        return;
    }
    // The key existed only for its default value: it goes, unless it has
    // subkeys. An empty path names the root itself, which never goes.
    if (!keyPath.empty())
        RegDeleteKeyA(rootKey, keyPath.chars());
}

void KOldLogFile::replayBinaryValue() {
    KString keyPath, name;
    DWORD root = readRegistryPlace(keyPath, name, true);
    std::vector<BYTE> installed, previous;
    DWORD installedCount = readWord();
    if (installedCount == 0 || installedCount > MaxField)
        throw EReadFile();
    readBlock(installed, installedCount);
    DWORD previousCount = readWord();
    if (previousCount > MaxField)
        throw EReadFile();
    readBlock(previous, previousCount);
    HKEY rootKey = registryPlace(root, keyPath, name);
    if (!rootKey)
        return;

    try {
        KRegKey parent(rootKey);
        KRegKey key(parent, keyPath.chars(), false);
        BYTE* data = nullptr;
        DWORD size = 0;
        if (!key.readBinary(name.chars(), data, size, MaxField))
            return;
        bool unchanged = size == installed.size() && std::memcmp(data, installed.data(), size) == 0;
        delete[] data;
        if (!unchanged)
            return;
        if (!previous.empty())
            key.writeBinary(name.chars(), previous.data(), static_cast<DWORD>(previous.size()));
        else
            key.deleteValue(name.chars());
    } catch (const KRegKey::EOpen&) {
    }
}

void KOldLogFile::replayRequiredValue(bool named) {
    KString keyPath, name, value;
    DWORD root = readRegistryPlace(keyPath, name, named);
    readCountedString(value);
    HKEY rootKey = registryPlace(root, keyPath, name);
    if (!rootKey)
        return;

    try {
        KRegKey parent(rootKey);
        if (named) {
            KRegKey key(parent, keyPath.chars(), false);
            if (!key.valueExists(name.chars()))
                key.writeString(name.chars(), value);
        } else if (!parent.subKeyExists(keyPath.chars())) {
            // Only a missing key gets its default value; an existing key
            // without one is left as it is.
            KRegKey key(parent, keyPath.chars(), true);
            key.writeString("", value);
        }
    } catch (const KRegKey::E&) {
    }
}

void KOldLogFile::replayFile() {
    KString path;
    readCountedString(path);
    if (isWholeText(path) && !path.empty())
        DeleteFileA(path.chars());
}
