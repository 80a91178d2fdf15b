// One open registry key. Opening throws; every other operation answers with
// its bool result and never throws a KRegKey exception.
#ifndef LKP_BASE_KREGKEY_H
#define LKP_BASE_KREGKEY_H

#include <windows.h>

#include "base/KString.h"
#include "base/StringList.h"

// Default length limit, in characters, of string reads.
const int MaxRegString = 2048;

class KRegKey {
public:
    class E {};
    class EOpen : public E {};    // an existing key could not be opened
    class ECreate : public E {};  // a key could not be opened or created

    // Wraps a handle it does not own (a predefined root, for instance).
    explicit KRegKey(HKEY handle) : handle_(handle), owned_(false) {}
    // Opens parent\subKey with full access, or opens-or-creates it with every
    // missing level when create is true.
    KRegKey(const KRegKey& parent, const char* subKey, bool create);
    ~KRegKey();

    HKEY handle() const { return handle_; }

    // Fails on another type than REG_SZ or more than maxLength characters;
    // a failure always leaves out empty.
    bool readString(const char* name, KString& out, int maxLength = MaxRegString) const;
    // out is written by the query even when the type or size is wrong.
    bool readDword(const char* name, DWORD& out) const;
    // The caller frees data with delete[]; on failure data is null, size 0.
    bool readBinary(const char* name, BYTE*& data, DWORD& size, DWORD maxSize) const;

    bool writeString(const char* name, const KString& value);
    bool writeString(const char* name, const char* value);
    bool writeDword(const char* name, DWORD value);
    bool writeBinary(const char* name, const void* data, DWORD size);
    bool deleteValue(const char* name);
    bool valueExists(const char* name) const;

    bool subKeyExists(const char* subKey) const;
    // Appends every direct subkey name; returns the last enumeration result
    // (ERROR_NO_MORE_ITEMS at the normal end).
    LONG enumSubKeys(StringList& names) const;
    // Appends the name of every value, the same way.
    LONG enumValueNames(StringList& names) const;
    // True when the key holds neither values nor subkeys.
    bool isEmpty() const;
    // Deletes the subkey and everything below it, leaves first.
    bool deleteSubKeyTree(const char* subKey);

private:
    KRegKey(const KRegKey&) = delete;
    KRegKey& operator=(const KRegKey&) = delete;

    HKEY handle_;
    bool owned_;
};

#endif
