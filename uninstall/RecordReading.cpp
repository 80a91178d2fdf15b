#include "uninstall/RecordReading.h"

namespace {

bool isThere(const KRegKey& key, const char* name) {
    return key.valueExists(name);
}

}  // namespace

DwordRecord readDwordRecord(const KRegKey& key, const char* name) {
    DwordRecord record;
    if (key.readDword(name, record.value))
        record.state = RecordState::Sound;
    else if (isThere(key, name))
        record.state = RecordState::Damaged;
    if (record.state != RecordState::Sound)
        record.value = 0;
    return record;
}

StringRecord readStringRecord(const KRegKey& key, const char* name) {
    StringRecord record;
    if (key.readString(name, record.value, MaxRegString))
        record.state = RecordState::Sound;
    else if (isThere(key, name))
        record.state = RecordState::Damaged;
    return record;
}

void deleteKeyIfEmpty(HKEY root, const char* path) {
    try {
        KRegKey parent(root);
        bool empty = KRegKey(parent, path, false).isEmpty();
        if (empty)
            RegDeleteKeyA(root, path);
    } catch (const KRegKey::EOpen&) {
    }
}
