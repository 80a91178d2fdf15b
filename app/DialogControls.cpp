// Small helpers for the pages' controls.
#include "app/Probes.h"

void setCheck(HWND dialog, int id, bool checked) {
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool getCheck(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void fitControlToText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return;
    KString text;
    int length = GetWindowTextLengthA(control);
    text.releaseBuffer(GetWindowTextA(control, text.getBuffer(length), length + 1));
    text += ' ';

    RECT measured = {0, 0, 0, 0};
    HDC context = GetWindowDC(control);
    if (context == nullptr)
        return;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(context, font) : nullptr;
    DrawTextA(context, text.chars(), text.length(), &measured, DT_CALCRECT | DT_SINGLELINE);
    if (oldFont != nullptr)
        SelectObject(context, oldFont);
    ReleaseDC(control, context);

    RECT place;
    GetWindowRect(control, &place);
    POINT topLeft = {place.left, place.top};
    POINT bottomRight = {place.right, place.bottom};
    ScreenToClient(dialog, &topLeft);
    ScreenToClient(dialog, &bottomRight);
    int width = (measured.right - measured.left) + 18;
    MoveWindow(control, bottomRight.x - width, topLeft.y, width, bottomRight.y - topLeft.y, TRUE);
}
