// Text pictures of registry trees and folders, one line per key, value, file
// and folder, sorted, so that two states of a machine can be compared and
// their difference printed.
#ifndef LKP_TESTS_MACHINESTATE_H
#define LKP_TESTS_MACHINESTATE_H

#include <windows.h>

#include <string>
#include <vector>

// Every key below root\path ("[name\path\key]") and every value
// ("name\path\key: value = type:data", strings as text, other types in hex).
std::string registryPicture(HKEY root, const std::string& name, const std::string& path = "");
// Every folder ("folder\sub\") and file ("folder\file size hash") below
// folder (which ends with a backslash). In the folders named in timedOnly
// (with a trailing backslash) and below, a file's last-write time stands in
// for its content: hashing a system's libraries twice per test costs more
// than a writer could hide from the time.
std::string folderPicture(const std::string& folder,
                          const std::vector<std::string>& timedOnly = {});

// The lines of one picture that the other lacks, "- " for before and "+ " for
// after; lines that begin with one of the allowed prefixes (any case) are
// left out. Empty when the pictures agree.
std::string pictureDifference(const std::string& before, const std::string& after,
                              const std::vector<std::string>& allowed = {});

#endif
