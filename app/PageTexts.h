// Every text the wizard shows, kept together so they can be reviewed as one,
// and the builders of the texts that depend on the user's choices.
#ifndef LKP_APP_PAGETEXTS_H
#define LKP_APP_PAGETEXTS_H

#include "app/InstallOptions.h"
#include "base/KString.h"

// The wizard's title, also the caption of the command line's messages.
extern const char* const InstallerCaption;
extern const char* const AbortQuestion;
extern const char* const AbortCaption;
extern const char* const ArchiveCaption;
extern const char* const TargetFolderCaption;
extern const char* const InvalidFolderMessage;
extern const char* const FreeSpaceCaption;
extern const char* const PlayerRunningCaption;
extern const char* const BrowseTitle;

// The word of the welcome text from the default button's text: without "&",
// without trailing ">", trimmed; "Next" when nothing is left.
KString welcomeButtonWord(const KString& buttonText);
KString welcomeText(const KString& word);
// The summary page's heading; an empty button text reads "Finish".
KString readyText(const KString& buttonText);
// The review of the choices: the folder line, then the sections that are not empty.
KString summaryText(const InstallOptions& options);

KString archiveMessage();
KString rootFolderQuestion(char drive);
KString freeSpaceMessage(char drive);
KString playerRunningMessage(bool onlyLibraryLocked);

#endif
