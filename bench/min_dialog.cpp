// The floor for the wizard's start-up: a program that does nothing but create a modeless
// dialog and run a message loop, built and started exactly as the installer is.
#include "min_dialog.h"
#include <windows.h>

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    (void)show;
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MIN_DIALOG), NULL, MinDlgProc, 0);
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
