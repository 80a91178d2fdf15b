#include "payload/OldLogFields.h"

#include <cstring>

HKEY predefinedRoot(DWORD value) {
    // Mapped, not cast: a 64-bit handle of a predefined key is sign-extended.
    switch (value) {
    case 0x80000000:
        return HKEY_CLASSES_ROOT;
    case 0x80000001:
        return HKEY_CURRENT_USER;
    case 0x80000002:
        return HKEY_LOCAL_MACHINE;
    case 0x80000003:
        return HKEY_USERS;
    case 0x80000004:
        return HKEY_PERFORMANCE_DATA;
    case 0x80000005:
        return HKEY_CURRENT_CONFIG;
    case 0x80000006:
        return HKEY_DYN_DATA;
    default:
        return nullptr;
    }
}

bool isWholeText(const KString& text) {
    return std::strlen(text.chars()) == static_cast<size_t>(text.length());
}

bool sameText(const KString& a, const KString& b) {
    return a.length() == b.length() &&
           std::memcmp(a.chars(), b.chars(), static_cast<size_t>(a.length())) == 0;
}
