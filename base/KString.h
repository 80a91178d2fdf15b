// The installer's string: an owned, NUL-terminated 8-bit buffer with an
// explicit length. No spare capacity, no sharing: every copy owns its bytes.
#ifndef LKP_BASE_KSTRING_H
#define LKP_BASE_KSTRING_H

class KString {
public:
    class EOutOfMem {};

    KString();
    explicit KString(const char* text, int count = -1);  // count < 0: up to the NUL
    KString(const KString& other);
    ~KString();

    KString& operator=(const char* text);
    KString& operator=(const KString& other);

    void append(const char* text, int count);
    KString& operator+=(const KString& other);
    KString& operator+=(const char* text);
    KString& operator+=(char c);

    bool operator==(const char* text) const;
    bool operator==(const KString& other) const { return *this == other.chars_; }
    bool operator!=(const char* text) const { return !(*this == text); }
    bool operator!=(const KString& other) const { return !(*this == other.chars_); }
    int compareNoCase(const char* text) const;

    int find(char c) const;         // -1 when absent
    int reverseFind(char c) const;  // -1 when absent
    int findNoCase(const char* needle) const;

    KString left(int n) const;
    KString right(int n) const;
    KString mid(int position, int count = -1) const;
    int erase(int position, int count);  // returns the new length

    char at(int position) const { return chars_[position]; }
    char* ptrAt(int position) { return chars_ + position; }
    void clear();
    void trimLeft();
    void trimRight();
    void trim();

    const char* chars() const { return chars_; }
    int length() const { return length_; }
    bool empty() const { return length_ == 0; }

    // Lends the buffer to a call that fills it: room for n characters and a NUL.
    char* getBuffer(int n);
    // Ends such a write: n < 0 measures up to the first NUL.
    void releaseBuffer(int n = -1);

    // Understands %% %c %d %u %x %s only; any other "%?" is dropped.
    const char* format(const char* fmt, ...);

private:
    static char* allocate(int bytes);
    void adopt(char* buffer, int length);

    char* chars_;
    int length_;
};

KString operator+(const KString& a, const KString& b);
KString operator+(const KString& a, const char* b);
KString operator+(const char* a, const KString& b);

bool isBlank(char c);

#endif
