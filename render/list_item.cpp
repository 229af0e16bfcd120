// Items of the licence list box and the interface-language combo box.
#include "owner_draw.h"
#include "mixed_text.h"
#include <stdlib.h>
#include <string.h>

enum { ITEM_TEXT_BYTES = 260 };

// Copies the item's text into text (ITEM_TEXT_BYTES). A longer text is cut at a
// character boundary instead of overrunning the buffer.
static void FetchItemText(HWND control, int isCombo, UINT index, char *text)
{
    text[0] = '\0';
    LRESULT length = SendMessageA(control, isCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return;
    UINT getText = isCombo ? CB_GETLBTEXT : LB_GETTEXT;
    if (length < ITEM_TEXT_BYTES) {
        SendMessageA(control, getText, index, (LPARAM)text);
        return;
    }
    char *whole = (char *)malloc((size_t)length + 1);
    if (!whole)
        return;
    whole[0] = '\0';
    SendMessageA(control, getText, index, (LPARAM)whole);
    lstrcpynA(text, whole, ITEM_TEXT_BYTES);
    CutAtCharBoundary(text);
    free(whole);
}

void DrawListItem(int controlId, int isCombo, const DRAWITEMSTRUCT *item, HWND dialog)
{
    RECT r = item->rcItem;
    HDC hdc = item->hDC;
    SaveDC(hdc);
    int selected = (item->itemState & ODS_SELECTED) != 0;

    if (isCombo) {
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        SetBkColor(hdc, background);
        HBRUSH fill = CreateSolidBrush(background);
        FillRect(hdc, &r, fill);
        DeleteObject(fill);
    } else {
        SetTextColor(hdc, RGB(0, 0, 0));
        SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
        FillRect(hdc, &r, GetSysColorBrush(COLOR_WINDOW));
    }

    HWND control = GetDlgItem(dialog, controlId);
    UINT count = (UINT)SendMessageA(control, isCombo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    if (item->itemID < count) {
        char text[ITEM_TEXT_BYTES];
        InflateRect(&r, -2, -2);
        FetchItemText(control, isCombo, item->itemID, text);
        DrawMixedText(hdc, r.left, r.top, text, selected);
    }
    RestoreDC(hdc, -1);
}
