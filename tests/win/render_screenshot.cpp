// Shows owner-drawn captions in a real window and saves what the screen shows as a PNG,
// so that a person can judge the glyphs: render_screenshot.exe OUT.png
#include "canvas.h"
#include "render/mixed_text.h"
#include "render/owner_draw.h"
#include "test_folder.h"
#include "base/state.h"
#include <stdio.h>
#include <vector>
#include <zlib.h>

static LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        DrawOwnerItem((const DRAWITEMSTRUCT *)lParam, window);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void PutChunk(FILE *file, const char *type, const std::vector<unsigned char> &data)
{
    unsigned char length[4] = { (unsigned char)(data.size() >> 24), (unsigned char)(data.size() >> 16),
                                (unsigned char)(data.size() >> 8), (unsigned char)data.size() };
    fwrite(length, 1, 4, file);
    fwrite(type, 1, 4, file);
    fwrite(data.data(), 1, data.size(), file);
    // crc32 with no data returns its seed (0), not the running value: skip it then.
    uLong crc = crc32(0, (const Bytef *)type, 4);
    if (!data.empty())
        crc = crc32(crc, data.data(), (uInt)data.size());
    unsigned char tail[4] = { (unsigned char)(crc >> 24), (unsigned char)(crc >> 16),
                              (unsigned char)(crc >> 8), (unsigned char)crc };
    fwrite(tail, 1, 4, file);
}

static bool SavePng(const char *path, const Canvas &canvas)
{
    std::vector<unsigned char> rows;
    for (int y = 0; y < canvas.height; y++) {
        rows.push_back(0);
        for (int x = 0; x < canvas.width; x++) {
            COLORREF c = Pixel(canvas, x, y);
            rows.push_back(GetRValue(c));
            rows.push_back(GetGValue(c));
            rows.push_back(GetBValue(c));
        }
    }
    uLongf packedSize = compressBound(rows.size());
    std::vector<unsigned char> packed(packedSize);
    compress2(packed.data(), &packedSize, rows.data(), rows.size(), 9);
    packed.resize(packedSize);
    std::vector<unsigned char> header = {
        (unsigned char)(canvas.width >> 24), (unsigned char)(canvas.width >> 16),
        (unsigned char)(canvas.width >> 8), (unsigned char)canvas.width,
        (unsigned char)(canvas.height >> 24), (unsigned char)(canvas.height >> 16),
        (unsigned char)(canvas.height >> 8), (unsigned char)canvas.height,
        8, 2, 0, 0, 0 };
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    fwrite("\x89PNG\r\n\x1a\n", 1, 8, file);
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    return fclose(file) == 0;
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

    Canvas shot = MakeCanvas(420, 150, RGB(255, 255, 255));
    HDC screen = GetDC(NULL);
    BitBlt(shot.dc, 0, 0, 420, 150, screen, 20, 20, SRCCOPY);
    ReleaseDC(NULL, screen);
    bool saved = SavePng(argv[1], shot);
    FreeCanvas(shot);
    DestroyWindow(window);
    printf("render_screenshot: %s %s (sample font %s)\n", saved ? "saved" : "could not save", argv[1],
           g_sampleFont ? "made" : "missing");
    return saved ? 0 : 1;
}
