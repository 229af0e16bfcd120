// Process entry: learn the system, load the glyph atlas, run the wizard dialog until its
// page turns negative, then release everything.
#include "environment.h"
#include "main_dialog.h"
#include "single_instance.h"
#include "../msgbox/message_box.h"
#include "../base/state.h"
#include "../base/system_dlls.h"
#include "../render/glyph_atlas.h"
#include "../render/mixed_text.h"
#include "../resources/resource.h"
#include <commctrl.h>

enum { EXIT_OK = 0, EXIT_START_FAILED = 1 };

// Enter on a push button presses that button; anywhere else it means Next, and the key
// still reaches the dialog manager. Returns 1 when the key was used up.
static int RouteEnterKey(void)
{
    HWND focus = GetFocus();
    char className[100];
    if (focus && GetClassNameA(focus, className, sizeof className)) {
        className[sizeof className - 1] = '\0';
        int type = (int)(GetWindowLongA(focus, GWL_STYLE) & 0xFF);
        int checkOrRadio = type == 2 || type == 3 || type == 4 || type == 5 || type == 6 || type == 9;
        if (lstrcmpiA(className, "button") == 0 && !checkOrRadio) {
            PostMessageA(g_hMainDlg, WM_COMMAND, (WPARAM)GetDlgCtrlID(focus), 0);
            return 1;
        }
    }
    PostMessageA(g_hMainDlg, WM_COMMAND, DEFAULT_BUTTON_ID, 0);
    return 0;
}

static void RunMessageLoop(void)
{
    MSG message;
    while (g_wizardPage > PAGE_QUIT && GetMessageA(&message, NULL, 0, 0)) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && RouteEnterKey())
            continue;
        if (!IsDialogMessageA(g_hMainDlg, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

static void Teardown(void)
{
    ReleaseGlyphAtlas();
    if (g_sampleFont) {
        DeleteObject(g_sampleFont);
        g_sampleFont = NULL;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    (void)show;
    UseSystemDllsOnly();
    SetCursor(LoadCursor(NULL, IDC_WAIT));
    g_hInstance = instance;
    DetectEnvironment();
    g_interfaceLanguage = 0;
    InitCommonControls();
    CreateGbFont();

    switch (LoadGlyphAtlas()) {
    case ATLAS_LOADED:
        break;
    case ATLAS_NO_MEMORY:
        BiMessageBox("内存不够。安装无法继续。", "Memory not enough!", BIMB_OK, NULL);
        Teardown();
        return EXIT_START_FAILED;
    case ATLAS_BAD_DATA:
        Teardown();
        return EXIT_START_FAILED;
    case ATLAS_NO_GDI:
        Teardown();
        return EXIT_OK;
    }

    // After the glyph atlas, which the message needs; before anything is changed.
    if (!ClaimSingleInstance()) {
        BiMessageBox("安装程序已在运行。请先完成或关闭它。",
                     "Pendrel Setup is already running. Finish or close it first.", BIMB_OK, NULL);
        Teardown();
        return EXIT_START_FAILED;
    }

    g_wizardPage = PAGE_FOLDER;
    g_mainIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    g_hMainDlg = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
    // Without the dialog nothing could ever end the loop.
    if (!g_hMainDlg) {
        Teardown();
        return EXIT_START_FAILED;
    }
    RunMessageLoop();
    DestroyWindow(g_hMainDlg);
    g_hMainDlg = NULL;
    Teardown();
    return EXIT_OK;
}
