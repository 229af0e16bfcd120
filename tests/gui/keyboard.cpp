// Focus moves through WM_NEXTDLGCTL and keys are posted, so they reach the target's own message loop.
#include "keyboard.h"
#include "driver.h"
#include <stdio.h>
#include <string.h>

HWND FocusOfThread(HWND window)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info))
        return NULL;
    return info.hwndFocus;
}

void FocusControl(HWND dialog, HWND control)
{
    Query(dialog, WM_NEXTDLGCTL, (WPARAM)control, TRUE);
    char what[48];
    snprintf(what, sizeof what, "the focus on control %d", GetDlgCtrlID(control));
    WaitUntil(what, STATE_MS, [control] { return FocusOfThread(control) == control; });
}

void PressKey(HWND window, WPARAM key)
{
    UINT scanCode = MapVirtualKeyA((UINT)key, MAPVK_VK_TO_VSC);
    if (!PostMessageA(window, WM_KEYDOWN, key, 1 | (scanCode << 16)))
        Fail("cannot post key %u to control %d", (unsigned)key, GetDlgCtrlID(window));
}
