#include "MachineState.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>

namespace {

std::string hex(const BYTE* bytes, DWORD count) {
    std::string text;
    char pair[4];
    for (DWORD i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

void addKey(HKEY root, const std::string& name, const std::string& path,
            std::vector<std::string>& lines) {
    HKEY key;
    if (RegOpenKeyExA(root, path.empty() ? nullptr : path.c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return;
    const std::string full = path.empty() ? name : name + "\\" + path;
    lines.push_back("[" + full + "]");
    // Room for the longest value name and for large values, made once.
    static std::vector<char> valueName(16384);
    static std::vector<BYTE> data(1 << 20);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(valueName.size()), type = 0,
              dataSize = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, i, valueName.data(), &nameSize, nullptr, &type, data.data(),
                          &dataSize) != ERROR_SUCCESS)
            break;
        std::string value = full + ": " + (nameSize ? valueName.data() : "@") + " = ";
        if (type == REG_SZ)
            value += "sz:" + std::string(reinterpret_cast<char*>(data.data()), dataSize);
        else
            value += "type" + std::to_string(type) + ":" + hex(data.data(), dataSize);
        lines.push_back(value);
    }
    std::vector<std::string> subKeys;
    char subKey[1024];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof subKey;
        if (RegEnumKeyExA(key, i, subKey, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subKeys.push_back(subKey);
    }
    RegCloseKey(key);
    for (const std::string& sub : subKeys)
        addKey(root, name, path.empty() ? sub : path + "\\" + sub, lines);
}

std::string joinSorted(std::vector<std::string>& lines) {
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A 64-bit hash of the file's bytes; "unreadable" when it cannot be read.
std::string contentHash(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "unreadable";
    static std::vector<unsigned char> buffer(1 << 20);
    uint64_t hash = 1469598103934665603ull;
    DWORD got = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
           got > 0) {
        DWORD i = 0;
        for (; i + 8 <= got; i += 8) {
            uint64_t word;
            std::memcpy(&word, &buffer[i], 8);
            hash = (hash ^ word) * 1099511628211ull;
            hash ^= hash >> 29;
        }
        for (; i < got; ++i)
            hash = (hash ^ buffer[i]) * 1099511628211ull;
    }
    CloseHandle(file);
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool startsWithNoCase(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && _strnicmp(text.c_str(), head.c_str(), head.size()) == 0;
}

void addFolder(const std::string& folder, const std::vector<std::string>& timedOnly, bool timed,
               std::vector<std::string>& lines) {
    for (const std::string& prefix : timedOnly)
        timed = timed || _stricmp(prefix.c_str(), folder.c_str()) == 0;
    lines.push_back(folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> folders;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(folder + name + "\\");
        } else {
            unsigned long long size =
                (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            unsigned long long time =
                (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                found.ftLastWriteTime.dwLowDateTime;
            lines.push_back(folder + name + " " + std::to_string(size) + " " +
                            (timed ? "time " + std::to_string(time) : contentHash(folder + name)));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& sub : folders)
        addFolder(sub, timedOnly, timed, lines);
}

}  // namespace

std::string registryPicture(HKEY root, const std::string& name, const std::string& path) {
    std::vector<std::string> lines;
    addKey(root, name, path, lines);
    return joinSorted(lines);
}

std::string folderPicture(const std::string& folder, const std::vector<std::string>& timedOnly) {
    std::vector<std::string> lines;
    addFolder(folder, timedOnly, false, lines);
    return joinSorted(lines);
}

std::string pictureDifference(const std::string& before, const std::string& after,
                              const std::vector<std::string>& allowed) {
    auto linesOf = [&](const std::string& text) {
        std::multiset<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            bool isAllowed = false;
            for (const std::string& prefix : allowed)
                isAllowed = isAllowed || startsWithNoCase(line, prefix) ||
                            startsWithNoCase(line, "[" + prefix);
            if (!isAllowed)
                lines.insert(line);
        }
        return lines;
    };
    std::multiset<std::string> was = linesOf(before), is = linesOf(after);
    std::string difference;
    for (const std::string& line : was)
        if (is.count(line) == 0)
            difference += "- " + line + "\n";
    for (const std::string& line : is)
        if (was.count(line) == 0)
            difference += "+ " + line + "\n";
    return difference;
}
