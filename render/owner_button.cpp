// Owner-drawn buttons and labels: button face, two-ring 3-D frame, default outline,
// centred bilingual caption and focus rectangle.
#include "owner_draw.h"
#include "mixed_text.h"
#include "../base/state.h"

enum { SAMPLE_LINE_ID = 1018 };

static int IsLeftAligned(int id)
{
    return id == 1006 || id == 1008 || id == 1010 || id == 1016 || id == 1021;
}

static int IsFramed(int id)
{
    if (IsLeftAligned(id))
        return 0;
    switch (id) {
    case 1009: case 1011: case 1012: case 1013: case 1020:     // labels
    case 1017: case 1018: case 1030: case 1031:                // never framed
        return 0;
    }
    return 1;
}

// Two rings inside the item: light top and left, dark bottom and right (swapped when
// pressed), then the outer edge: black all round for the default button, else only a
// dark bottom and right edge.
static void DrawFrame(HDC hdc, const RECT &r, int id, int pressed)
{
    COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    HPEN light = CreatePen(PS_SOLID, 1, pressed ? shadow : highlight);
    HPEN dark = CreatePen(PS_SOLID, 1, pressed ? highlight : shadow);
    HGDIOBJ previous = SelectObject(hdc, light);

    for (int i = 1; i <= 2; i++) {
        MoveToEx(hdc, r.left + i, r.bottom - i - 1, NULL);
        LineTo(hdc, r.left + i, r.top + i);
        LineTo(hdc, r.right - i - 1, r.top + i);
        SelectObject(hdc, dark);
        LineTo(hdc, r.right - i - 1, r.bottom - i - 1);
        LineTo(hdc, r.left + i, r.bottom - i - 1);
        SelectObject(hdc, light);
    }

    if (id == DEFAULT_BUTTON_ID) {
        SelectObject(hdc, GetStockObject(BLACK_PEN));
        MoveToEx(hdc, r.left, r.bottom - 1, NULL);
        LineTo(hdc, r.left, r.top);
        LineTo(hdc, r.right - 1, r.top);
        LineTo(hdc, r.right - 1, r.bottom - 1);
        LineTo(hdc, r.left, r.bottom - 1);
        MoveToEx(hdc, r.left + 1, r.bottom - 2, NULL);
        LineTo(hdc, r.right - 2, r.bottom - 2);
        LineTo(hdc, r.right - 2, r.top + 1);
    } else {
        SelectObject(hdc, dark);
        MoveToEx(hdc, r.left + 1, r.bottom - 1, NULL);
        LineTo(hdc, r.right - 1, r.bottom - 1);
        LineTo(hdc, r.right - 1, r.top);
    }

    SelectObject(hdc, previous);
    DeleteObject(light);
    DeleteObject(dark);
}

// The sample line is the one caption drawn with a real GB2312 font, so that the user
// can compare it with the atlas; without that font it stays blank.
static void DrawCaption(HDC hdc, int id, int x, int y, const char *caption)
{
    if (id != SAMPLE_LINE_ID) {
        DrawMixedText(hdc, x, y, caption, 0);
        return;
    }
    if (!g_sampleFont)
        return;
    HGDIOBJ previous = SelectObject(hdc, g_sampleFont);
    TextOutGbk(hdc, x, y, caption, lstrlenA(caption));
    SelectObject(hdc, previous);
}

void DrawOwnerItem(const DRAWITEMSTRUCT *item, HWND dialog)
{
    (void)dialog;
    if (item->CtlType != ODT_BUTTON)
        return;
    int id = (int)item->CtlID;
    HDC hdc = item->hDC;
    const RECT &r = item->rcItem;

    if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        int pressed = (item->itemState & ODS_SELECTED) != 0;
        char buffer[128];
        const char *caption = OwnerCaption(item->hwndItem, id, buffer);
        if (!caption)
            return;
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (IsFramed(id))
            DrawFrame(hdc, r, id, pressed);

        SIZE size = MeasureMixedText(hdc, caption);
        int x = IsLeftAligned(id) ? r.left : r.left + (r.right - r.left - size.cx) / 2;
        int y = r.top + (r.bottom - r.top - size.cy) / 2;
        if (pressed) {
            x += 2;
            y += 1;
        }
        DrawCaption(hdc, id, x, y, caption);
    }

    if (item->itemState & ODS_FOCUS) {
        RECT focus = r;
        int dx = (r.right - r.left) / 10;
        int dy = (r.bottom - r.top) / 8;
        focus.left += dx;
        focus.right -= dx;
        focus.top += dy;
        focus.bottom -= dy;
        DrawFocusRect(hdc, &focus);
    }
}
