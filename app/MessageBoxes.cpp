#include "app/MessageBoxes.h"

#include "app/InstallLog.h"

namespace {

bool unattended = false;

}  // namespace

void setUnattended(bool value) {
    unattended = value;
}

bool isUnattended() {
    return unattended;
}

int unattendedAnswer(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
    case MB_CANCELTRYCONTINUE:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    }
    return IDOK;
}

const char* answerName(int answer) {
    switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    case IDTRYAGAIN: return "Try Again";
    case IDCONTINUE: return "Continue";
    }
    return "none (the box could not be shown)";
}

int showMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    if (unattended) {
        int answer = unattendedAnswer(style);
        runLog().write({"Message \"", caption, "\", not shown (silent), answered ",
                        answerName(answer), ":\n", text});
        return answer;
    }
    int answer = MessageBoxA(owner, text, caption, style);
    runLog().write({"Message \"", caption, "\", answered ", answerName(answer), ":\n", text});
    return answer;
}
