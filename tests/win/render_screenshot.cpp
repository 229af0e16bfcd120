// Shows owner-drawn captions in a real window and saves what the screen shows as a PNG,
// so that a person can judge the glyphs: render_screenshot.exe OUT.png
#include "canvas.h"
#include "screen_png.h"
#include "render/mixed_text.h"
#include "render/owner_draw.h"
#include "test_folder.h"
#include "base/state.h"
#include <stdio.h>

static LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        DrawOwnerItem((const DRAWITEMSTRUCT *)lParam, window);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char **argv)
{
    if (argc < 2 || !UseInstallerAtlas()) {
        fprintf(stderr, "render_screenshot: give the output path; PendrelSetup.exe must be here\n");
        return 1;
    }
    g_ntPlatform = 1;
    CreateGbFont();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DemoProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "PdRenderDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("PdRenderDemo", "Pendrel Installer", WS_POPUP | WS_VISIBLE,
                                20, 20, 420, 150, NULL, NULL, windowClass.hInstance, NULL);
    struct { int id, x, y, w, h; } controls[] = {
        { 1018, 80, 10, 260, 40 },      // the sample line, in the GB2312 font
        { 1017, 10, 55, 400, 26 },
        { 1001, 30, 100, 106, 26 },     // default button
        { 2, 150, 100, 106, 26 },
        { 3, 270, 100, 106, 26 },
    };
    for (const auto &c : controls)
        CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, c.x, c.y, c.w, c.h, window,
                      (HMENU)(INT_PTR)c.id, windowClass.hInstance, NULL);
    UpdateWindow(window);
    MSG message;
    for (DWORD until = GetTickCount() + 500; GetTickCount() < until;) {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }

    RECT area = { 20, 20, 20 + 420, 20 + 150 };
    bool saved = SaveScreenPng(argv[1], area);
    DestroyWindow(window);
    printf("render_screenshot: %s %s (sample font %s)\n", saved ? "saved" : "could not save", argv[1],
           g_sampleFont ? "made" : "missing");
    return saved ? 0 : 1;
}
