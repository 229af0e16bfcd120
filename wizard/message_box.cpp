// Bilingual messages through the system message box, until the owner-drawn box exists:
// the Chinese text first, the English below it.
#include "message_box.h"
#include <stdio.h>

int BiMessageBox(const char *chinese, const char *english, int style, HWND owner)
{
    char text[512];
    snprintf(text, sizeof text, "%s\r\n\r\n%s", chinese ? chinese : "", english ? english : "");
    UINT buttons = style == BIMB_OK ? MB_OK : style == BIMB_YESNO ? MB_YESNO : MB_OKCANCEL;
    return MessageBoxA(owner, text, "Pendrel Install Message", buttons);
}
