// A scratch folder below the temporary folder, removed with everything in it.
#ifndef LKP_TESTS_TEMPFOLDER_H
#define LKP_TESTS_TEMPFOLDER_H

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();

    // With a trailing backslash.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path_;
};

// Removes a folder tree, read-only files included.
void removeTree(const std::string& path);
bool writeFile(const std::string& path, const std::string& bytes);
bool readFile(const std::string& path, std::string& bytes);
bool pathExists(const std::string& path);

#endif
