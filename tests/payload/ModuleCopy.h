// A copy of this test program whose resources a test has changed, loaded as
// a data file so that the real resource functions read the changed bytes.
#ifndef LKP_TESTS_MODULECOPY_H
#define LKP_TESTS_MODULECOPY_H

#include <windows.h>

#include <string>

class ModuleCopy {
public:
    explicit ModuleCopy(const std::string& path);
    ~ModuleCopy();

    // Replaces or adds a resource of type LORIMUND; call before load().
    bool setResource(const char* name, const std::string& bytes);
    HMODULE load();

private:
    std::string path_;
    HANDLE update_ = nullptr;
    HMODULE module_ = nullptr;
};

// The stored bytes of one LORIMUND resource of this test program.
std::string ownResource(const char* name);

#endif
