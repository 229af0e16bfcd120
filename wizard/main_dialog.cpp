// The main dialog's procedure: initialisation, painting and commands.
#include "main_dialog.h"
#include "environment.h"
#include "../msgbox/message_box.h"
#include "../base/state.h"
#include "../render/owner_draw.h"
#include "../shell/shell.h"
#include "../resources/resource.h"
#include <stdio.h>

enum { LIST_ITEM_WIDTH = 1024, LIST_ITEM_HEIGHT = 23 };

struct Language {
    int value;              // index of the name and item data of its list entry
    const char *name;
};

static const Language kLanguages[] = {
    { 0, "English 英文" },
    { 1, "Chinese(Simplified)  中文简体" },
    { 2, "Chinese(Traditional) 中文繁体" },
};

// The current interface language goes first and is selected.
static void FillLanguageList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE);
    for (const Language &language : kLanguages) {
        LRESULT at = language.value == g_interfaceLanguage
                         ? SendMessageA(list, CB_INSERTSTRING, 0, (LPARAM)language.name)
                         : SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)language.name);
        SendMessageA(list, CB_SETITEMDATA, (WPARAM)at, language.value);
    }
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    // The combo box asks for its selection field's height while it is being created, and the
    // answer does not always arrive (under Wine the field kept the font's 16 pixels and
    // clipped the selected name): set it as tall as the items it draws.
    SendMessageA(list, CB_SETITEMHEIGHT, (WPARAM)-1, LIST_ITEM_HEIGHT);
}

static INT_PTR OnInitDialog(HWND dialog)
{
    SendMessageA(dialog, WM_SETICON, ICON_BIG, (LPARAM)g_mainIcon);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, (LPARAM)g_mainIcon);

    char folder[MAX_PATH];
    ReadWindowsFolder();
    snprintf(folder, sizeof folder, "%c:\\Pendrel", g_windowsFolder[0] ? g_windowsFolder[0] : 'C');
    SetDlgItemTextA(dialog, IDC_FOLDER, folder);
    CheckDlgButton(dialog, IDC_DESKTOP_ICON, BST_CHECKED);

    HWND back = GetDlgItem(dialog, IDC_BACK);
    ShowWindow(back, SW_HIDE);
    EnableWindow(back, FALSE);

    FillLanguageList(dialog);

    // The three share the button class's procedure, so one saved value serves all.
    const int subclassed[] = { IDC_DESKTOP_ICON, IDC_DISPLAY_OK, IDC_DISPLAY_NO };
    for (int id : subclassed)
        g_buttonProc = (WNDPROC)SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC, (LONG_PTR)CheckCtlProc);
    return TRUE;
}

static void Repaint(HWND dialog, int id)
{
    InvalidateRect(GetDlgItem(dialog, id), NULL, FALSE);
}

static void OnNext(HWND dialog)
{
    switch (g_wizardPage) {
    case PAGE_FOLDER:
        g_wizardPage = PAGE_DISPLAY_CHECK;
        ShowPage(dialog, g_wizardPage);
        // The display check always starts unanswered when reached forwards.
        CheckDlgButton(dialog, IDC_DISPLAY_OK, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DISPLAY_NO, BST_UNCHECKED);
        break;
    case PAGE_DISPLAY_CHECK:
        g_displayOk = IsDlgButtonChecked(dialog, IDC_DISPLAY_OK) == BST_CHECKED;
        if (!g_displayOk && IsDlgButtonChecked(dialog, IDC_DISPLAY_NO) != BST_CHECKED) {
            BiMessageBox("请您回答提问.", "Please select a choice.", BIMB_OK, dialog);
            break;
        }
        CheckDlgButton(dialog, IDC_LICENCE_ENGLISH, BST_CHECKED);
        g_wizardPage = PAGE_LICENCE;
        ShowPage(dialog, g_wizardPage);
        break;
    case PAGE_LICENCE:
        g_wizardPage = PAGE_LANGUAGE;
        ShowPage(dialog, g_wizardPage);
        break;
    default:
        StartInstallation(dialog);
        break;
    }
}

// The check boxes notify on focus too. Their repaints are harmless on any notification,
// but the licence switch acts on the click alone: hiding it while it has the focus (on the
// way to the language page) sends BN_KILLFOCUS, which must not bring the licence page back.
static void OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDC_BACK:
        if (g_wizardPage > 0) {
            g_wizardPage--;
            ShowPage(dialog, g_wizardPage);
        }
        break;
    case IDC_NEXT:
        OnNext(dialog);
        break;
    case IDC_CANCEL:
        g_wizardPage = PAGE_QUIT;
        break;
    case IDC_BROWSE:
        if (BrowseForFolder(dialog))
            SetDlgItemTextA(dialog, IDC_FOLDER, g_installFolder);
        break;
    case IDC_DESKTOP_ICON:
        Repaint(dialog, IDC_DESKTOP_ICON);
        break;
    case IDC_DISPLAY_OK:
    case IDC_DISPLAY_NO: {
        int other = id == IDC_DISPLAY_OK ? IDC_DISPLAY_NO : IDC_DISPLAY_OK;
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            CheckDlgButton(dialog, other, BST_UNCHECKED);
        Repaint(dialog, IDC_DISPLAY_OK);
        Repaint(dialog, IDC_DISPLAY_NO);
        break;
    }
    case IDC_LICENCE_ENGLISH:
        if (notification == BN_CLICKED)
            ShowPage(dialog, PAGE_LICENCE);
        break;
    }
}

static INT_PTR OnMeasureItem(MEASUREITEMSTRUCT *item)
{
    if (item->CtlID != IDC_LICENCE_LIST && item->CtlID != IDC_LANGUAGE)
        return FALSE;
    item->itemWidth = LIST_ITEM_WIDTH;
    item->itemHeight = LIST_ITEM_HEIGHT;
    return TRUE;
}

static INT_PTR OnDrawItem(HWND dialog, const DRAWITEMSTRUCT *item)
{
    if (item->CtlID == IDC_LICENCE_LIST || item->CtlID == IDC_LANGUAGE)
        DrawListItem((int)item->CtlID, item->CtlID == IDC_LANGUAGE, item, dialog);
    else
        DrawOwnerItem(item, dialog);
    return TRUE;
}

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_MEASUREITEM:
        return OnMeasureItem((MEASUREITEMSTRUCT *)lParam);
    case WM_DRAWITEM:
        return OnDrawItem(dialog, (const DRAWITEMSTRUCT *)lParam);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    }
    return FALSE;
}
