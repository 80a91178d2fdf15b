// Every message box of the installer goes through here: in an unattended run
// none is shown and each takes the answer that changes nothing; in every run
// each one is written to the log with its answer.
#ifndef LKP_APP_MESSAGEBOXES_H
#define LKP_APP_MESSAGEBOXES_H

#include <windows.h>

// Set once, before the first message, for a silent run.
void setUnattended(bool unattended);
bool isUnattended();

// MessageBoxA, or in an unattended run unattendedAnswer without a window.
int showMessageBox(HWND owner, const char* text, const char* caption, UINT style);

// The answer given for a box that nobody sees: No, Cancel (Abort where that
// is the only way out), or OK where OK is the only button.
int unattendedAnswer(UINT style);
// The button's name for the log ("OK", "No", ...).
const char* answerName(int answer);

#endif
