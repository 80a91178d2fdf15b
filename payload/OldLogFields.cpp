#include "payload/OldLogFields.h"

#include <cstring>

bool isPredefinedRoot(DWORD value) {
    const DWORD first = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT));
    const DWORD last = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(HKEY_DYN_DATA));
    return value >= first && value <= last;
}

bool isWholeText(const KString& text) {
    return std::strlen(text.chars()) == static_cast<size_t>(text.length());
}

bool sameText(const KString& a, const KString& b) {
    return a.length() == b.length() &&
           std::memcmp(a.chars(), b.chars(), static_cast<size_t>(a.length())) == 0;
}
