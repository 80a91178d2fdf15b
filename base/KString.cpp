#include "base/KString.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Writes the digits of value from the top down, without leading zeros.
char* writeDecimal(char* out, unsigned value) {
    bool started = false;
    for (unsigned divisor = 1000000000u; divisor != 0; divisor /= 10) {
        unsigned digit = value / divisor;
        value %= divisor;
        if (digit != 0 || started || divisor == 1) {
            *out++ = char('0' + digit);
            started = true;
        }
    }
    return out;
}

char* writeHex(char* out, unsigned value) {
    bool started = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
        unsigned nibble = (value >> shift) & 0xF;
        if (nibble != 0 || started || shift == 0) {
            *out++ = "0123456789ABCDEF"[nibble];
            started = true;
        }
    }
    return out;
}

}  // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Allocates through malloc but lets the program's allocation-failure handler
// act first, as operator new would; without a handler the failure is ours.
char* KString::allocate(int bytes) {
    for (;;) {
        char* p = static_cast<char*>(std::malloc(static_cast<size_t>(bytes)));
        if (p)
            return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw EOutOfMem();
        handler();
    }
}

void KString::adopt(char* buffer, int length) {
    std::free(chars_);
    chars_ = buffer;
    length_ = length;
}

KString::KString() : chars_(allocate(1)), length_(0) {
    chars_[0] = '\0';
}

KString::KString(const char* text, int count) : chars_(nullptr), length_(0) {
    if (count < 0)
        count = static_cast<int>(std::strlen(text));
    chars_ = allocate(count + 1);
    std::memcpy(chars_, text, static_cast<size_t>(count));
    chars_[count] = '\0';
    length_ = count;
}

KString::KString(const KString& other) : chars_(allocate(other.length_ + 1)), length_(other.length_) {
    std::memcpy(chars_, other.chars_, static_cast<size_t>(length_) + 1);
}

KString::~KString() {
    std::free(chars_);
}

// The new buffer is filled before the old one is released, so a source that
// points into this string's own buffer stays readable.
KString& KString::operator=(const char* text) {
    int count = static_cast<int>(std::strlen(text));
    char* buffer = allocate(count + 1);
    std::memcpy(buffer, text, static_cast<size_t>(count) + 1);
    adopt(buffer, count);
    return *this;
}

KString& KString::operator=(const KString& other) {
    if (this != &other) {
        char* buffer = allocate(other.length_ + 1);
        std::memcpy(buffer, other.chars_, static_cast<size_t>(other.length_) + 1);
        adopt(buffer, other.length_);
    }
    return *this;
}

void KString::append(const char* text, int count) {
    char* buffer = allocate(length_ + count + 1);
    std::memcpy(buffer, chars_, static_cast<size_t>(length_));
    std::memcpy(buffer + length_, text, static_cast<size_t>(count));
    buffer[length_ + count] = '\0';
    adopt(buffer, length_ + count);
}

KString& KString::operator+=(const KString& other) {
    append(other.chars_, other.length_);
    return *this;
}

KString& KString::operator+=(const char* text) {
    append(text, static_cast<int>(std::strlen(text)));
    return *this;
}

KString& KString::operator+=(char c) {
    append(&c, 1);
    return *this;
}

bool KString::operator==(const char* text) const {
    return std::strcmp(chars_, text) == 0;
}

int KString::compareNoCase(const char* text) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(chars_);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text);
    for (;; ++a, ++b) {
        int ca = static_cast<unsigned char>(lowerAscii(static_cast<char>(*a)));
        int cb = static_cast<unsigned char>(lowerAscii(static_cast<char>(*b)));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

int KString::find(char c) const {
    for (int i = 0; i < length_; ++i)
        if (chars_[i] == c)
            return i;
    return -1;
}

int KString::reverseFind(char c) const {
    for (int i = length_ - 1; i >= 0; --i)
        if (chars_[i] == c)
            return i;
    return -1;
}

int KString::findNoCase(const char* needle) const {
    KString haystack(*this);
    KString lowered(needle);
    for (int i = 0; i < haystack.length_; ++i)
        haystack.chars_[i] = lowerAscii(haystack.chars_[i]);
    for (int i = 0; i < lowered.length_; ++i)
        lowered.chars_[i] = lowerAscii(lowered.chars_[i]);
    const char* hit = std::strstr(haystack.chars_, lowered.chars_);
    return hit ? static_cast<int>(hit - haystack.chars_) : -1;
}

KString KString::left(int n) const {
    return KString(chars_, n > length_ ? length_ : n);
}

KString KString::right(int n) const {
    if (n > length_)
        n = length_;
    return KString(chars_ + length_ - n, n);
}

KString KString::mid(int position, int count) const {
    if (count < 0 || position + count > length_)
        count = length_ - position;
    return KString(chars_ + position, count);
}

int KString::erase(int position, int count) {
    if (position + count >= length_) {
        length_ = position;
    } else {
        std::memmove(chars_ + position, chars_ + position + count,
                     static_cast<size_t>(length_ - position - count));
        length_ -= count;
    }
    chars_[length_] = '\0';
    return length_;
}

void KString::clear() {
    length_ = 0;
    chars_[0] = '\0';
}

void KString::trimRight() {
    while (length_ > 0 && isBlank(chars_[length_ - 1]))
        --length_;
    chars_[length_] = '\0';
}

void KString::trimLeft() {
    int skip = 0;
    while (skip < length_ && isBlank(chars_[skip]))
        ++skip;
    if (skip > 0) {
        std::memmove(chars_, chars_ + skip, static_cast<size_t>(length_ - skip) + 1);
        length_ -= skip;
    }
}

void KString::trim() {
    trimLeft();
    trimRight();
}

char* KString::getBuffer(int n) {
    if (n > length_) {
        char* buffer = allocate(n + 1);
        std::memcpy(buffer, chars_, static_cast<size_t>(length_) + 1);
        std::free(chars_);
        chars_ = buffer;
    }
    return chars_;
}

void KString::releaseBuffer(int n) {
    if (n < 0)
        n = static_cast<int>(std::strlen(chars_));
    length_ = n;
    chars_[n] = '\0';
}

// Two passes: count the room, then write. The old buffer is released only
// after the write, so the string may appear among its own arguments.
const char* KString::format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list sizing;
    va_copy(sizing, args);

    int size = 1;
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            ++size;
            continue;
        }
        if (p[1] == '\0')  // a lone trailing percent sign adds nothing
            break;
        switch (*++p) {
        case '%': ++size; break;
        case 'c': ++size; (void)va_arg(sizing, int); break;
        case 'd': size += 11; (void)va_arg(sizing, int); break;
        case 'u': size += 10; (void)va_arg(sizing, unsigned); break;
        case 'x': size += 8; (void)va_arg(sizing, unsigned); break;
        case 's': size += static_cast<int>(std::strlen(va_arg(sizing, const char*))); break;
        default: break;
        }
    }
    va_end(sizing);

    char* buffer = allocate(size);
    char* out = buffer;
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            *out++ = *p;
            continue;
        }
        if (p[1] == '\0')
            break;
        switch (*++p) {
        case '%': *out++ = '%'; break;
        case 'c': *out++ = static_cast<char>(va_arg(args, int)); break;
        case 'd': {
            int value = va_arg(args, int);
            unsigned magnitude = static_cast<unsigned>(value);
            if (value < 0) {
                *out++ = '-';
                magnitude = 0u - magnitude;
            }
            out = writeDecimal(out, magnitude);
            break;
        }
        case 'u': out = writeDecimal(out, va_arg(args, unsigned)); break;
        case 'x': out = writeHex(out, va_arg(args, unsigned)); break;
        case 's': {
            const char* s = va_arg(args, const char*);
            size_t n = std::strlen(s);
            std::memcpy(out, s, n);
            out += n;
            break;
        }
        default: break;
        }
    }
    va_end(args);
    *out = '\0';
    adopt(buffer, static_cast<int>(out - buffer));
    return chars_;
}

KString operator+(const KString& a, const KString& b) {
    KString result(a);
    result += b;
    return result;
}

KString operator+(const KString& a, const char* b) {
    KString result(a);
    result += b;
    return result;
}

KString operator+(const char* a, const KString& b) {
    KString result(a);
    result += b;
    return result;
}
