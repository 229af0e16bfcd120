// The bilingual message box: the Chinese text drawn from the glyph atlas above the
// English one, with OK, Yes/No, Retry/Cancel or OK/Cancel, sized to its texts.
#include "message_box.h"
#include "message_layout.h"
#include "../base/state.h"
#include "../render/mixed_text.h"
#include "../render/owner_draw.h"
#include "../resources/resource.h"

// One box at a time: the modal loop guarantees it on the single thread.
static int g_messageStyle;
static char g_englishText[128];

static void PlaceButton(HWND dialog, int id, POINT at, int width, int height)
{
    HWND button = GetDlgItem(dialog, id);
    ShowWindow(button, SW_SHOW);
    MoveWindow(button, at.x, at.y, width, height, TRUE);
}

static INT_PTR OnInitDialog(HWND dialog, const char *chinese)
{
    HDC hdc = GetDC(dialog);
    int first = g_messageStyle == BIMB_YESNO ? IDYES : g_messageStyle == BIMB_RETRYCANCEL ? IDRETRY : IDOK;
    int second = g_messageStyle == BIMB_YESNO ? IDNO : IDCANCEL;

    MessageMetrics m = {};
    m.chinese = MeasureMixedText(hdc, chinese);
    if (g_englishText[0] && !GetTextExtentPointA(hdc, g_englishText, lstrlenA(g_englishText), &m.english))
        m.english.cx = m.english.cy = 0;
    ReleaseDC(dialog, hdc);

    RECT button = { 0, 0, 82, 12 };
    if (GetDlgItem(dialog, first))
        GetClientRect(GetDlgItem(dialog, first), &button);
    m.buttonWidth = button.right - button.left;
    m.buttonHeight = button.bottom - button.top;
    m.chineseBytes = lstrlenA(chinese);
    m.style = g_messageStyle;
    m.frameWidth = GetSystemMetrics(SM_CXDLGFRAME);
    m.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    m.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    m.screenHeight = GetSystemMetrics(SM_CYSCREEN);

    MessageLayout layout;
    LayoutMessageBox(&m, &layout);
    SetWindowPos(dialog, NULL, layout.window.left, layout.window.top, layout.window.right,
                 layout.window.bottom, SWP_NOZORDER);
    RECT client;
    GetClientRect(dialog, &client);

    PlaceButton(dialog, first, layout.first, m.buttonWidth, m.buttonHeight);
    if (layout.pair)
        PlaceButton(dialog, second, layout.second, m.buttonWidth, m.buttonHeight);

    int hc = m.chinese.cy;
    HWND label = GetDlgItem(dialog, IDC_MESSAGE_CHINESE);
    SetWindowTextA(label, chinese);
    MoveWindow(label, client.left, (2 * hc) / 3, client.right, 3 * hc, TRUE);
    HWND english = GetDlgItem(dialog, IDC_MESSAGE_ENGLISH);
    if (g_englishText[0]) {
        SetWindowTextA(english, g_englishText);
        MoveWindow(english, client.left, (2 * hc) / 3 + 3 * hc + 5, client.right, 2 * m.english.cy, TRUE);
    } else {
        ShowWindow(english, SW_HIDE);
    }
    return TRUE;
}

INT_PTR CALLBACK MsgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (const char *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: case IDCANCEL: case IDYES: case IDNO: case IDRETRY:
            EndDialog(dialog, LOWORD(wParam));
        }
        return FALSE;
    case WM_DRAWITEM:
        DrawOwnerItem((const DRAWITEMSTRUCT *)lParam, dialog);
        return TRUE;
    }
    return FALSE;
}

int BiMessageBox(const char *chinese, const char *english, int style, HWND owner)
{
    g_messageStyle = style;
    // Longer English texts are cut rather than allowed past the buffer.
    lstrcpynA(g_englishText, english ? english : "", sizeof g_englishText);
    return (int)DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_MESSAGE), owner, MsgDlgProc,
                                (LPARAM)chinese);
}
