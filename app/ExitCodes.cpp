#include "app/ExitCodes.h"

const char* exitCodeMeaning(int code) {
    switch (code) {
    case ExitSuccess: return "installed";
    case ExitCancelled: return "cancelled by the user";
    case ExitBadCommandLine: return "bad command line";
    case ExitPlayerRunning: return "the player is running";
    case ExitDiskFull: return "not enough disk space";
    case ExitFolderUnusable: return "the folder cannot be used or created";
    case ExitArchiveDamaged: return "the installer's archive is damaged";
    case ExitFileNotWritten: return "a file could not be written";
    case ExitOutOfMemory: return "out of memory";
    case ExitInternalError: return "internal error";
    }
    return "unknown";
}
