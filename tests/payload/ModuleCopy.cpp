#include "ModuleCopy.h"

#include <stdexcept>

ModuleCopy::ModuleCopy(const std::string& path) : path_(path) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (!CopyFileA(self, path_.c_str(), FALSE))
        throw std::runtime_error("cannot copy the test program");
    update_ = BeginUpdateResourceA(path_.c_str(), FALSE);
    if (!update_)
        throw std::runtime_error("cannot update resources");
}

ModuleCopy::~ModuleCopy() {
    if (update_)
        EndUpdateResourceA(update_, TRUE);
    if (module_)
        FreeLibrary(module_);
    DeleteFileA(path_.c_str());
}

namespace {

BOOL CALLBACK firstLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
    *reinterpret_cast<WORD*>(found) = language;
    return FALSE;
}

}  // namespace

// Replaces the resource in the language it already has, so that no second
// copy in another language hides the change.
bool ModuleCopy::setResource(const char* name, const std::string& bytes) {
    WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    EnumResourceLanguagesA(nullptr, "LORIMUND", name, firstLanguage,
                           reinterpret_cast<LONG_PTR>(&language));
    return UpdateResourceA(update_, "LORIMUND", name, language,
                           const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size())) != FALSE;
}

HMODULE ModuleCopy::load() {
    if (!EndUpdateResourceA(update_, FALSE))
        throw std::runtime_error("cannot write resources");
    update_ = nullptr;
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module_)
        throw std::runtime_error("cannot load the copy");
    return module_;
}

std::string ownResource(const char* name) {
    HRSRC found = FindResourceA(nullptr, name, "LORIMUND");
    if (!found)
        return std::string();
    HGLOBAL loaded = LoadResource(nullptr, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}
