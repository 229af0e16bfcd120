// A stand-in for the wizard dialog during install tests.
#include "install_window.h"
#include <commctrl.h>

std::vector<int> g_positions;
std::function<void(int position)> g_atPosition;

static LRESULT CALLBACK ProgressRecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PBM_SETPOS) {
        g_positions.push_back((int)wParam);
        if (g_atPosition)
            g_atPosition((int)wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeDialogWithProgressBar()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProgressRecorderProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "PdProgressRecorder";
    RegisterClassA(&windowClass);
    HWND dialog = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    CreateWindowA("PdProgressRecorder", "", WS_CHILD, 0, 0, 100, 10, dialog,
                  (HMENU)(INT_PTR)1026, GetModuleHandleA(NULL), NULL);
    return dialog;
}
