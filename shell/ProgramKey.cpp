#include "shell/ProgramKey.h"

#include "app/Constants.h"

KString programKeyPath(const char* suffix, const char* tail) {
    KString path(PlayerKey);
    path += suffix;
    path += tail;
    return path;
}

bool saveStringRecord(const KRegKey& source, const char* sourceName, KRegKey& record,
                      const char* recordName) {
    KString old;
    if (!source.readString(sourceName, old, MaxRegString))
        return false;
    return record.writeString(recordName, old);
}
