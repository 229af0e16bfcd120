// Page switching: which controls each page shows, and the licence texts.
#include "main_dialog.h"
#include "../msgbox/message_box.h"
#include "../base/state.h"
#include "../base/payload_item.h"
#include "../resources/resource.h"
#include <stdlib.h>
#include <zlib.h>

enum { PAGE_ROW_IDS = 16, LICENCE_BUFFER_BYTES = 65536, LICENCE_MAX_LINES = 500 };

// Controls of each page in page order, each row ended by 0; the table by a 0 row.
static const int kPageControls[][PAGE_ROW_IDS] = {
    { IDC_DESKTOP_ICON, IDC_FOLDER, IDC_FOLDER_LABEL, IDC_BROWSE, 0 },
    { IDC_SAMPLE_FRAME, IDC_DISPLAY_QUESTION, IDC_SAMPLE_LINE, IDC_DISPLAY_OK, IDC_DISPLAY_NO, 0 },
    { IDC_LICENCE_ENGLISH, IDC_LICENCE_LIST, IDC_LICENCE_TEXT, 0 },
    { IDC_LANGUAGE_LABEL, IDC_LANGUAGE, 0 },
    { 0 },
};

static int g_licenceLoaded;     // both licence texts are in their controls

int AddLicenceLines(HWND list, char *text)
{
    int lines = 0;
    char *line = text;
    for (char *p = text; *p && lines < LICENCE_MAX_LINES; p++) {
        if (*p != '\r')
            continue;
        *p = '\0';
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)line);
        lines++;
        if (p[1] == '\n')
            p++;
        line = p + 1;
    }
    return lines;
}

// Inflates licence resource id into buffer (LICENCE_BUFFER_BYTES) as a string.
static int InflateLicence(int id, char *buffer)
{
    // One byte short of the buffer, so that the terminator always fits.
    DWORD length = LICENCE_BUFFER_BYTES - 1;
    if (InflateItem(id, (unsigned char *)buffer, &length) != Z_OK)
        return 0;
    buffer[length] = '\0';
    return 1;
}

// 1 when both texts are in their controls.
static int LoadLicences(HWND dialog)
{
    char *buffer = (char *)malloc(LICENCE_BUFFER_BYTES);
    if (!buffer) {
        BiMessageBox("内存不够。安装无法继续。", "Memory not enough!", BIMB_OK, g_hMainDlg);
        return 0;
    }
    // Each text on its own: a damaged one leaves its control empty, not the other's.
    int loaded = 0;
    if (InflateLicence(IDR_LICENCE_CHINESE, buffer)) {
        // A failed earlier attempt may have filled the list already.
        SendDlgItemMessageA(dialog, IDC_LICENCE_LIST, LB_RESETCONTENT, 0, 0);
        AddLicenceLines(GetDlgItem(dialog, IDC_LICENCE_LIST), buffer);
        loaded++;
    }
    if (InflateLicence(IDR_LICENCE_ENGLISH, buffer)) {
        SetDlgItemTextA(dialog, IDC_LICENCE_TEXT, buffer);
        loaded++;
    }
    free(buffer);
    return loaded == 2;
}

void ShowPage(HWND dialog, int page)
{
    for (int row = 0; kPageControls[row][0] != 0; row++)
        for (int i = 0; kPageControls[row][i] != 0; i++)
            ShowWindow(GetDlgItem(dialog, kPageControls[row][i]), row == page ? SW_SHOW : SW_HIDE);

    // A text that cannot be loaded is tried again on the next visit; the page itself is
    // still laid out, so that one licence control shows (empty) and Back works.
    if (!g_licenceLoaded && page == PAGE_LICENCE && LoadLicences(dialog))
        g_licenceLoaded = 1;

    ShowWindow(GetDlgItem(dialog, IDC_LICENCE_LIST), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_LICENCE_TEXT), SW_HIDE);
    if (page == PAGE_LICENCE) {
        int english = SendDlgItemMessageA(dialog, IDC_LICENCE_ENGLISH, BM_GETCHECK, 0, 0) == BST_CHECKED;
        ShowWindow(GetDlgItem(dialog, english ? IDC_LICENCE_TEXT : IDC_LICENCE_LIST), SW_SHOW);
    }

    if (g_wizardPage >= 0 && g_wizardPage <= 98) {
        HWND back = GetDlgItem(dialog, IDC_BACK);
        ShowWindow(back, page != 0 ? SW_SHOW : SW_HIDE);
        EnableWindow(back, page != 0);
    }
    InvalidateRect(dialog, NULL, TRUE);
    UpdateWindow(dialog);
}
