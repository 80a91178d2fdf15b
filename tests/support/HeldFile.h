// Holds a file open for writing without sharing, as a running program holds
// its own files; created when missing.
#ifndef LKP_TESTS_HELDFILE_H
#define LKP_TESTS_HELDFILE_H

#include <windows.h>

#include <string>

class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() {
        if (held())
            CloseHandle(file_);
    }
    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    HANDLE file_;
};

#endif
