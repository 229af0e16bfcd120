// The floors for the wizard's start-up: a program that does nothing but create a modeless
// dialog and run a message loop, built and started exactly as the installer is. Built
// twice: with a minimal dialog, and with the wizard's own window (WIZARD_WINDOW), which
// needs the common controls loaded first as the installer loads them, from the system.
#include "min_dialog.h"
#include <windows.h>

#ifdef WIZARD_WINDOW
#include "resource.h"
#include "base/system_dlls.h"
#define IDD_FLOOR IDD_MAIN
#else
#define IDD_FLOOR IDD_MIN_DIALOG
#endif

static INT_PTR CALLBACK MinDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)dialog;
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            PostQuitMessage(0);
        return TRUE;
    case WM_CLOSE:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

#ifdef WIZARD_WINDOW
static void LoadCommonControls(void)
{
    HMODULE controls = LoadSystemDll("comctl32.dll");
    typedef void(WINAPI * InitProc)(void);
    InitProc init = controls ? (InitProc)(void *)GetProcAddress(controls, "InitCommonControls") : NULL;
    if (init)
        init();
}
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    (void)show;
#ifdef WIZARD_WINDOW
    LoadCommonControls();
#endif
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_FLOOR), NULL, MinDlgProc, 0);
    if (!dialog)
        return 1;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    DestroyWindow(dialog);
    return 0;
}
