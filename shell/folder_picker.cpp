// The destination-folder picker: the old-style open dialog cut down to its directory and
// drive lists, answering with the folder the user has opened.
#include "shell.h"
#include "../render/owner_draw.h"
#include "../resources/resource.h"
#include "../base/path.h"
#include "../base/state.h"
#include <commdlg.h>
#include <direct.h>
#include <string.h>

enum { PICKER_FILE_BYTES = 128 };

static UINT_PTR OnPickerInit(HWND dialog)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    SetWindowLongA(cancel, GWL_STYLE, GetWindowLongA(cancel, GWL_STYLE) | BS_OWNERDRAW);
    // Some dialog implementations put their own title over the template's.
    SetWindowTextA(dialog, "Choose Destination Directory");
    SetFocus(GetDlgItem(dialog, IDC_PICKER_DIRECTORIES));
    // The dialog may still move the focus after this message; ask again once it is done.
    PostMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_PICKER_DIRECTORIES), TRUE);
    return 1;
}

// OK answers with the folder that is open, not the one that is merely highlighted.
static UINT_PTR OnPickerOk(HWND dialog)
{
    char folder[MAX_PATH];
    if (!_getcwd(folder, sizeof folder))
        return 0;
    RemoveTrailingSeparator(folder, CP_ACP);
    lstrcpynA(g_installFolder, folder, MAX_PATH);
    EndDialog(dialog, 1);
    return 1;
}

UINT_PTR CALLBACK PickerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnPickerInit(dialog);
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *item = (const DRAWITEMSTRUCT *)lParam;
        if (item->CtlID != IDC_PICKER_DIRECTORIES_LABEL && item->CtlID != IDC_PICKER_DRIVES_LABEL &&
            item->CtlID != IDCANCEL)
            return 0;
        DrawOwnerItem(item, dialog);
        return 1;
    }
    case WM_COMMAND:
        return LOWORD(wParam) == IDOK ? OnPickerOk(dialog) : 0;
    }
    return 0;
}

int BrowseForFolder(HWND owner)
{
    char file[PICKER_FILE_BYTES] = "";
    OPENFILENAMEA request;
    memset(&request, 0, sizeof request);
    // The original layout (76 bytes in a 32-bit program), which every system understands.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = owner;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.Flags = OFN_PATHMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    request.lpfnHook = PickerHookProc;
    request.lpTemplateName = MAKEINTRESOURCEA(IDD_PICKER);
    request.hInstance = NULL;
    // Every Browse must start where the wizard is; not every system honours
    // OFN_NOCHANGEDIR, so put the current directory back by hand as well.
    char current[MAX_PATH];
    DWORD saved = GetCurrentDirectoryA(sizeof current, current);
    int chosen = GetOpenFileNameA(&request) != 0;
    if (saved > 0 && saved < sizeof current)
        SetCurrentDirectoryA(current);
    return chosen;
}
