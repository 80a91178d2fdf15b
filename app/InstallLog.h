// The plain-text log of one run (/LOG): what the command line asked for, the
// options chosen, each install step with its outcome, every message shown or,
// in a silent run, not shown, and the exit code. Each entry is appended and
// written through at once, so that a run that ends abruptly still leaves what
// it did. Writing an entry allocates nothing: the allocation-failure handler
// logs its own message.
#ifndef LKP_APP_INSTALLLOG_H
#define LKP_APP_INSTALLLOG_H

#include <windows.h>

#include <initializer_list>

#include "base/KString.h"

class InstallLog {
public:
    InstallLog() = default;
    ~InstallLog() { close(); }

    // Opens path for appending, creating it if needed; false when it cannot
    // be written. Until then, and after close, entries go nowhere.
    bool open(const char* path);
    void close();
    bool isOpen() const { return file_ != INVALID_HANDLE_VALUE; }

    // One entry: the local time, then the parts joined. A line break in the
    // text starts an indented continuation line.
    void write(std::initializer_list<const char*> parts);

private:
    InstallLog(const InstallLog&) = delete;
    InstallLog& operator=(const InstallLog&) = delete;
    void put(const char* bytes, DWORD count);

    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// The one log of this run.
InstallLog& runLog();

struct InstallOptions;

// The choices as one entry: folder, shortcuts, file types, plug-ins.
KString describeOptions(const InstallOptions& options);
void logOptions(const InstallOptions& options);
// The last entry of a run.
void logExitCode(int code);

// "YYYY-MM-DD hh:mm:ss  " into buffer (at least 24 bytes); returns its length.
int logTimeStamp(const SYSTEMTIME& time, char* buffer);
// Where /LOG without a file writes: DefaultLogName in the temporary folder.
KString defaultLogPath();

#endif
