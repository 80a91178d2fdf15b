#include "app/InstallLog.h"

#include <cstring>

#include "app/CommandLine.h"
#include "app/ExitCodes.h"
#include "app/InstallOptions.h"
#include "base/PathFunctions.h"

namespace {

char* putDigits(char* out, unsigned value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        out[i] = static_cast<char>('0' + value % 10);
    return out + digits;
}

}  // namespace

int logTimeStamp(const SYSTEMTIME& time, char* buffer) {
    char* p = putDigits(buffer, time.wYear, 4);
    *p++ = '-';
    p = putDigits(p, time.wMonth, 2);
    *p++ = '-';
    p = putDigits(p, time.wDay, 2);
    *p++ = ' ';
    p = putDigits(p, time.wHour, 2);
    *p++ = ':';
    p = putDigits(p, time.wMinute, 2);
    *p++ = ':';
    p = putDigits(p, time.wSecond, 2);
    *p++ = ' ';
    *p++ = ' ';
    *p = '\0';
    return static_cast<int>(p - buffer);
}

bool InstallLog::open(const char* path) {
    close();
    // Appending only, so that the runs of a deployment collect in one file;
    // others may read it meanwhile.
    file_ = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    return isOpen();
}

void InstallLog::close() {
    if (isOpen())
        CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

void InstallLog::put(const char* bytes, DWORD count) {
    DWORD written;
    if (count > 0)
        WriteFile(file_, bytes, count, &written, nullptr);
}

void InstallLog::write(std::initializer_list<const char*> parts) {
    if (!isOpen())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    put(stamp, static_cast<DWORD>(logTimeStamp(now, stamp)));
    for (const char* part : parts) {
        if (!part)
            continue;
        // A message's own line breaks become indented lines of the entry.
        for (const char* line = part;;) {
            const char* end = std::strchr(line, '\n');
            if (!end) {
                put(line, static_cast<DWORD>(std::strlen(line)));
                break;
            }
            put(line, static_cast<DWORD>(end - line));
            put("\r\n    ", 6);
            line = end + 1;
        }
    }
    put("\r\n", 2);
}

KString describeOptions(const InstallOptions& options) {
    struct Choice {
        bool chosen;
        const char* name;
    };
    auto list = [](std::initializer_list<Choice> choices) {
        KString names;
        for (const Choice& choice : choices) {
            if (!choice.chosen)
                continue;
            if (!names.empty())
                names += ", ";
            names += choice.name;
        }
        return names.empty() ? KString("none") : names;
    };
    KString text("Options: folder ");
    text += options.folder;
    text += "; shortcuts: ";
    text += list({{options.desktopShortcut, "desktop"},
                  {options.quickLaunchShortcut, "Quick Launch"}});
    text += "; file types: ";
    text += list({{options.associateMid, ".mid"},
                  {options.associateMidi, ".midi"},
                  {options.associateKar, ".kar"},
                  {options.associateRmi, ".rmi"}});
    text += "; plug-ins: ";
    text += list({{options.internetExplorerPlugin, "Internet Explorer"},
                  {options.netscapePlugin, "Netscape"}});
    return text;
}

void logOptions(const InstallOptions& options) {
    runLog().write({describeOptions(options).chars()});
}

void logExitCode(int code) {
    char number[16];
    char* end = number + sizeof number - 1;
    *end = '\0';
    unsigned value = static_cast<unsigned>(code);
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    runLog().write({"Finished with exit code ", end, ": ", exitCodeMeaning(code)});
}

InstallLog& runLog() {
    static InstallLog log;
    return log;
}

KString defaultLogPath() {
    KString folder;
    DWORD length = GetTempPathA(MAX_PATH, folder.getBuffer(MAX_PATH));
    folder.releaseBuffer(length > 0 && length < MAX_PATH ? static_cast<int>(length) : 0);
    ensureTrailingBackslash(folder);
    return folder + DefaultLogName;
}
