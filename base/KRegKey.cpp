#include "base/KRegKey.h"

#include <cstring>

KRegKey::KRegKey(const KRegKey& parent, const char* subKey, bool create)
    : handle_(nullptr), owned_(true) {
    if (create) {
        if (RegCreateKeyA(parent.handle_, subKey, &handle_) != ERROR_SUCCESS)
            throw ECreate();
    } else {
        if (RegOpenKeyExA(parent.handle_, subKey, 0, KEY_ALL_ACCESS, &handle_) != ERROR_SUCCESS)
            throw EOpen();
    }
}

KRegKey::~KRegKey() {
    if (owned_)
        RegCloseKey(handle_);
}

bool KRegKey::readString(const char* name, KString& out, int maxLength) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > static_cast<DWORD>(maxLength) + 1) {
        out.clear();
        return false;
    }
    // A stored value may lack its NUL; the extra byte keeps the buffer terminated.
    char* buffer = out.getBuffer(static_cast<int>(size));
    std::memset(buffer, 0, size + 1);
    DWORD got = size;
    if (RegQueryValueExA(handle_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &got) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        out.releaseBuffer(0);
        return false;
    }
    out.releaseBuffer();
    return true;
}

bool KRegKey::readDword(const char* name, DWORD& out) const {
    DWORD type = 0;
    DWORD size = sizeof(DWORD);
    return RegQueryValueExA(handle_, name, nullptr, &type, reinterpret_cast<BYTE*>(&out), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof(DWORD);
}

bool KRegKey::readBinary(const char* name, BYTE*& data, DWORD& size, DWORD maxSize) const {
    data = nullptr;
    size = 0;
    DWORD type = 0;
    DWORD stored = 0;
    if (RegQueryValueExA(handle_, name, nullptr, &type, nullptr, &stored) != ERROR_SUCCESS ||
        type != REG_BINARY || stored > maxSize)
        return false;
    if (stored == 0)
        return true;
    size = stored;
    BYTE* block = new BYTE[stored];
    if (RegQueryValueExA(handle_, name, nullptr, &type, block, &size) != ERROR_SUCCESS) {
        size = 0;
        delete[] block;
        return false;
    }
    data = block;
    return true;
}

bool KRegKey::writeString(const char* name, const KString& value) {
    return RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.chars()),
                          static_cast<DWORD>(value.length()) + 1) == ERROR_SUCCESS;
}

bool KRegKey::writeString(const char* name, const char* value) {
    return RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(std::strlen(value)) + 1) == ERROR_SUCCESS;
}

bool KRegKey::writeDword(const char* name, DWORD value) {
    return RegSetValueExA(handle_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

bool KRegKey::writeBinary(const char* name, const void* data, DWORD size) {
    return RegSetValueExA(handle_, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

bool KRegKey::deleteValue(const char* name) {
    return RegDeleteValueA(handle_, name) == ERROR_SUCCESS;
}

bool KRegKey::valueExists(const char* name) const {
    return RegQueryValueExA(handle_, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool KRegKey::subKeyExists(const char* subKey) const {
    HKEY key;
    if (RegOpenKeyExA(handle_, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

LONG KRegKey::enumSubKeys(StringList& names) const {
    char name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof(name);
        LONG result = RegEnumKeyExA(handle_, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        names.push_back(KString(name, static_cast<int>(size)));
    }
}

LONG KRegKey::enumValueNames(StringList& names) const {
    // Room for the longest name the registry allows (16383 characters).
    KString buffer;
    char* name = buffer.getBuffer(16384);
    for (DWORD index = 0;; ++index) {
        DWORD size = 16384;
        LONG result =
            RegEnumValueA(handle_, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        names.push_back(KString(name, static_cast<int>(size)));
    }
}

bool KRegKey::isEmpty() const {
    DWORD subKeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyA(handle_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                            &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys == 0 && values == 0;
}

bool KRegKey::deleteSubKeyTree(const char* subKey) {
    bool deleted;
    try {
        KRegKey self(handle_);
        KRegKey opened(self, subKey, false);
        StringList children;
        opened.enumSubKeys(children);
        for (const KString& child : children)
            opened.deleteSubKeyTree(child.chars());
        deleted = RegDeleteKeyA(handle_, subKey) == ERROR_SUCCESS;
    } catch (const EOpen&) {
        return false;
    }
    return deleted;
}
