// The bilingual message box through which every message and question is shown.
#pragma once
#include <windows.h>

enum { BIMB_OK = 0, BIMB_YESNO = 4, BIMB_RETRYCANCEL = 5 };   // any other nonzero: OK/Cancel

// Shows the Chinese text above the English one (which may be NULL). Returns the ID of
// the button that closed the box: IDOK, IDCANCEL, IDYES, IDNO or IDRETRY.
int BiMessageBox(const char *chinese, const char *english, int style, HWND owner);

// Dialog procedure of the message box; the creation parameter is the Chinese text.
INT_PTR CALLBACK MsgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
