// The subclassed check boxes of the main dialog, painted by the program so that their
// Chinese captions come from the glyph atlas.
#include "owner_draw.h"
#include "mixed_text.h"
#include "../base/state.h"

LRESULT CALLBACK CheckCtlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC hdc = BeginPaint(window, &paint);
        DrawCheckControl(window, hdc);
        EndPaint(window, &paint);
        return 0;
    }
    // The button procedure paints on a press; bring our own painting right after it.
    if (message == WM_LBUTTONDOWN)
        InvalidateRect(window, NULL, TRUE);
    return CallWindowProcA(g_buttonProc, window, message, wParam, lParam);
}

UINT CheckBoxGeometry(int clientHeight, int type, RECT *box, int *captionX)
{
    RECT area = { -2, -2, 0, clientHeight + 2 };
    int h = area.bottom - area.top;
    *box = { area.left, area.top, area.left + h, area.bottom };
    UINT state;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
        InflateRect(box, -(h / 4), -(h / 4));
        box->top -= 1;
        box->left -= h / 8;
        box->right -= h / 7;
        box->bottom -= 3;
        state = DFCS_BUTTONCHECK;
    } else {
        InflateRect(box, -(h / 12), -(h / 12));
        box->left -= 1;
        box->top += 1;
        box->bottom -= 2;
        box->right -= h / 5;
        state = (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    }
    *captionX = box->right + (box->right - box->left);
    return state;
}

void DrawCheckControl(HWND window, HDC hdc)
{
    int checked = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    RECT client;
    GetClientRect(window, &client);
    RECT area = { client.left - 2, client.top - 2, client.right + 2, client.bottom + 2 };
    FillRect(hdc, &area, GetSysColorBrush(COLOR_BTNFACE));

    RECT box;
    int tx;
    int type = (int)(GetWindowLongA(window, GWL_STYLE) & 0xFF);
    UINT state = CheckBoxGeometry(client.bottom - client.top, type, &box, &tx);
    if (checked)
        state |= DFCS_CHECKED;
    if (!IsWindowEnabled(window))
        state |= DFCS_INACTIVE;
    DrawFrameControl(hdc, &box, DFC_BUTTON, state);

    char buffer[128];
    const char *caption = CheckCaption(window, buffer);
    SIZE size = MeasureMixedText(hdc, caption);
    int ty = area.top + 3;
    DrawMixedText(hdc, tx, ty, caption, 0);
    if (GetFocus() == window) {
        RECT focus = { tx - 1, ty - 1, tx + size.cx + 3, ty + 18 };
        DrawFocusRect(hdc, &focus);
    }
}
