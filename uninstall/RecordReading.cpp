#include "uninstall/RecordReading.h"

DwordRecord readDwordRecord(const KRegKey& key, const char* name) {
    DwordRecord record;
    if (key.readDword(name, record.value))
        record.state = RecordState::Sound;
    else if (key.valueExists(name))
        record.state = RecordState::Damaged;
    if (record.state != RecordState::Sound)
        record.value = 0;  // a failed read may have filled it
    return record;
}

StringRecord readStringRecord(const KRegKey& key, const char* name) {
    StringRecord record;
    if (key.readString(name, record.value, MaxRegString))
        record.state = RecordState::Sound;
    else if (key.valueExists(name))
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
