// Reading the records with the installer's rules (strings of at most
// MaxRegString characters of type REG_SZ, flags of type REG_DWORD), telling a
// value that is not there from one that is there but unusable.
#ifndef LKP_UNINSTALL_RECORDREADING_H
#define LKP_UNINSTALL_RECORDREADING_H

#include "base/KRegKey.h"
#include "uninstall/RemovalRules.h"

DwordRecord readDwordRecord(const KRegKey& key, const char* name);
StringRecord readStringRecord(const KRegKey& key, const char* name);

// Deletes path below root when it is there and holds neither values nor
// subkeys: what the installer made, and nothing that others keep in it.
void deleteKeyIfEmpty(HKEY root, const char* path);

#endif
