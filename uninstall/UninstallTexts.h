// Every text the uninstaller shows, kept together so they can be reviewed as one.
#ifndef LKP_UNINSTALL_UNINSTALLTEXTS_H
#define LKP_UNINSTALL_UNINSTALLTEXTS_H

#include "base/KString.h"
#include "base/StringList.h"

extern const char* const UninstallCaption;
// The one question, asked before anything changes.
extern const char* const RemovalQuestion;

KString badArgumentMessage(const KString& argument);
// Names the files that are still there, at most MaxFilesNamed of them.
KString filesLeftMessage(const StringList& files);
const int MaxFilesNamed = 10;

#endif
