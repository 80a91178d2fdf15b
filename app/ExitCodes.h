// What the installer and the uninstaller tell whatever started them: one small
// number per outcome, the same in silent and interactive runs. Deployment
// tools map these numbers (README, the package manager's manifest and "/?"
// list them), so an outcome never changes its number.
#ifndef LKP_APP_EXITCODES_H
#define LKP_APP_EXITCODES_H

enum ExitCode {
    ExitSuccess = 0,         // installed (or removed)
    ExitCancelled = 1,       // the user cancelled; nothing more was done
    ExitBadCommandLine = 2,  // an unknown or malformed argument; nothing was done
    ExitPlayerRunning = 3,   // the player, or one of its libraries, is in use
    ExitDiskFull = 4,        // not enough free space on the target drive
    ExitFolderUnusable = 5,  // the folder is invalid, refused or cannot be created
    ExitArchiveDamaged = 6,  // a resource of the installer failed its checksum
    ExitFileNotWritten = 7,  // a file could not be written (or removed)
    ExitOutOfMemory = 8,     // memory ran out; what was done stays done
    ExitInternalError = 9,   // an unexpected exception ended the program
    ExitCodeCount
};

// What a code means, in a few words (for the log and "/?").
const char* exitCodeMeaning(int code);

#endif
