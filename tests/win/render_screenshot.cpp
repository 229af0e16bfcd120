// Shows owner-drawn captions in a real window and saves what the screen shows as a PNG,
// so that a person can judge the glyphs, and checks the display check's premise: the
// atlas captions always read, the sample line only where a GB2312 font is installed.
//   render_screenshot.exe OUT.png [yes|no]   (yes/no: whether the sample line must show)
#include "canvas.h"
#include "render/glyph_cell.h"
#include "screen_png.h"
#include "render/mixed_text.h"
#include "render/owner_draw.h"
#include "test_folder.h"
#include "base/state.h"
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

static LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        DrawOwnerItem((const DRAWITEMSTRUCT *)lParam, window);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The 16x16 picture of one GBK character as drawn on a white cell; empty when blank.
static std::string CellPicture(const char *gbk, bool fromAtlas)
{
    Canvas cell = MakeCanvas(16, 16, RGB(255, 255, 255));
    if (fromAtlas) {
        DrawMixedText(cell.dc, 0, 0, gbk, 0);
    } else {
        HGDIOBJ previous = SelectObject(cell.dc, g_sampleFont);
        SetBkMode(cell.dc, TRANSPARENT);
        TextOutGbk(cell.dc, 0, 0, gbk, 2);
        SelectObject(cell.dc, previous);
    }
    std::string picture;
    bool ink = false;
    for (int y = 0; y < 16; y++) {
        for (int x = 0; x < 16; x++) {
            bool dark = Pixel(cell, x, y) != RGB(255, 255, 255);
            picture += dark ? '#' : '.';
            ink = ink || dark;
        }
    }
    FreeCanvas(cell);
    return ink ? picture : std::string();
}

// The sample line reads as Chinese when the system found a GB2312 font for it and its seven
// characters come out as seven different, non-blank pictures; a system without such a font
// draws nothing, one stand-in for all, or the bytes as Latin letters from another font.
static bool SampleLineShows(const char *line)
{
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(dc, g_sampleFont);
    TEXTMETRICA metrics = {};
    bool chineseFont = GetTextMetricsA(dc, &metrics) && metrics.tmCharSet == GB2312_CHARSET;
    SelectObject(dc, previous);
    DeleteDC(dc);
    if (!chineseFont)
        return false;
    std::vector<std::string> seen;
    for (const char *c = line; c[0] && c[1]; c += 2) {
        std::string picture = CellPicture(c, false);
        for (const std::string &other : seen) {
            if (picture.empty() || picture == other)
                return false;
        }
        seen.push_back(picture);
    }
    return seen.size() == 7;
}

// Each atlas character draws exactly its atlas cell, whatever fonts the system has.
static bool CaptionsFromAtlas(const char *caption)
{
    for (const unsigned char *c = (const unsigned char *)caption; c[0] && c[1]; c += 2) {
        int position[2], plane;
        GbkToGlyphCell(c[0] << 8 | c[1], position, &plane);
        std::string expected;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                expected += AtlasInk(plane, position[0] + x, position[1] + y) ? '#' : '.';
        if (expected.find('#') == std::string::npos || CellPicture((const char *)c, true) != expected)
            return false;
    }
    return true;
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

    bool shows = g_sampleFont && SampleLineShows("日出江花红胜火");
    bool atlas = CaptionsFromAtlas("下一步取消上一步同意安装");
    printf("sample line shows Chinese: %s; atlas captions %s\n", shows ? "yes" : "no",
           atlas ? "match the atlas" : "DIFFER FROM THE ATLAS");
    bool expected = argc < 3 || (strcmp(argv[2], "yes") == 0) == shows;
    if (!expected)
        printf("FAIL: the sample line should %sshow\n", strcmp(argv[2], "yes") == 0 ? "" : "not ");
    return saved && atlas && expected ? 0 : 1;
}
