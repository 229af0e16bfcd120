// Install pressed: enter or create the install folder, store the choices, run the
// install with the navigation hidden, and report the outcome.
#include "main_dialog.h"
#include "../install/catalogue.h"
#include "../install/install.h"
#include "../install/payload_check.h"
#include "../msgbox/message_box.h"
#include "../base/path.h"
#include "../base/state.h"
#include "../resources/resource.h"
#include <direct.h>
#include <string.h>
#include <time.h>

enum { MINIMUM_INSTALL_SECONDS = 5 };

// A folder whose path leaves no room for the longest installed file name can take no file:
// refuse it before it is made, rather than make it and fail on the first file.
static int LeavesRoomForFiles(const char *folder)
{
    size_t longest = 0;
    for (int i = 0; i < CATALOGUE_ENTRIES; i++) {
        size_t length = strlen(g_catalogue[i].fileName);
        if (length > longest)
            longest = length;
    }
    return strlen(folder) + 1 + longest < MAX_PATH;
}

// 1 when the folder exists or was made; a new folder gets its "doc" sub-folder.
static int EnterInstallFolder(void)
{
    if (!LeavesRoomForFiles(g_installFolder))
        return 0;
    if (_chdir(g_installFolder) == 0)
        return 1;
    if (_mkdir(g_installFolder) != 0)
        return 0;
    char doc[MAX_PATH];
    if (FormatPath(doc, "%s%sdoc", g_installFolder, SeparatorFor(g_installFolder, CP_ACP)))
        _mkdir(doc);
    return 1;
}

static void HideNow(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    ShowWindow(control, SW_HIDE);
    UpdateWindow(control);
}

// The install pumps no messages: show that it is busy where the user is looking.
static void ShowBusyOverDialog(HWND dialog)
{
    SetCursor(LoadCursor(NULL, IDC_WAIT));
    RECT r;
    POINT cursor;
    GetWindowRect(dialog, &r);
    if (GetCursorPos(&cursor) && !PtInRect(&r, cursor))
        SetCursorPos(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
}

// Lets the user read the progress bar even when the install is quick.
static void WaitOutMinimum(time_t start)
{
    while (difftime(time(NULL), start) < MINIMUM_INSTALL_SECONDS)
        Sleep(50);
}

// The folder could not be made: back to the folder page so the user can correct it.
static void ReturnToFolderPage(HWND dialog)
{
    g_wizardPage = PAGE_FOLDER;
    ShowPage(dialog, PAGE_FOLDER);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_FOLDER), TRUE);
}

static void ReportOutcome(HWND dialog, int result)
{
    if (result)
        BiMessageBox("祝贺您：安装顺利完成！", "Congratulations! Installation Success!", BIMB_OK, dialog);
    else
        BiMessageBox("安装失败！请检查一下系统后，再重新安装。谢谢！",
                     "Installation failed. Please check your system (quit all Zelvo applications) and try again.",
                     BIMB_OK, dialog);
    g_wizardPage = PAGE_QUIT;
}

void StartInstallation(HWND dialog)
{
    ShowPage(dialog, g_wizardPage);
    g_wizardPage = PAGE_INSTALLING;
    GetDlgItemTextA(dialog, IDC_FOLDER, g_installFolder, MAX_PATH);

    // A damaged download is refused before even the install folder is made.
    if (!VerifyPayload()) {
        ReportOutcome(dialog, 0);
        return;
    }
    if (!EnterInstallFolder()) {
        BiMessageBox("无法建目录。请检查所列目录是否合法（注意：子目录只能在已存在的目录下建）。",
                     "Cannot create folder! Please check folder path.", BIMB_OK, dialog);
        ReturnToFolderPage(dialog);
        return;
    }

    g_desktopIcon = IsDlgButtonChecked(dialog, IDC_DESKTOP_ICON) == BST_CHECKED;
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_LANGUAGE, CB_GETCURSEL, 0, 0);
    g_interfaceLanguage = (int)SendDlgItemMessageA(dialog, IDC_LANGUAGE, CB_GETITEMDATA, (WPARAM)selected, 0);

    const int hidden[] = { IDC_NEXT, IDC_BACK, IDC_CANCEL, IDC_STATUS_PANEL };
    for (int id : hidden)
        HideNow(dialog, id);

    time_t start = time(NULL);
    ShowBusyOverDialog(dialog);
    int result = RunInstall();
    WaitOutMinimum(start);
    ReportOutcome(dialog, result);
}
