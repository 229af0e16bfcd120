// A 24-bit memory bitmap to draw into and read back pixel by pixel.
#include "canvas.h"
#include "render/glyph_atlas.h"
#include "render/glyph_cell.h"
#include "test_folder.h"
#include "base/state.h"
#include <zlib.h>

Canvas MakeCanvas(int width, int height, COLORREF fill)
{
    Canvas canvas = {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;      // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    canvas.dc = CreateCompatibleDC(NULL);
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, (void **)&canvas.bits, NULL, 0);
    canvas.previous = SelectObject(canvas.dc, canvas.bitmap);
    canvas.width = width;
    canvas.height = height;
    RECT all = { 0, 0, width, height };
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
    return canvas;
}

void FreeCanvas(Canvas &canvas)
{
    SelectObject(canvas.dc, canvas.previous);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
    canvas = Canvas();
}

COLORREF Pixel(const Canvas &canvas, int x, int y)
{
    GdiFlush();
    int stride = (canvas.width * 3 + 3) & ~3;
    const unsigned char *p = canvas.bits + y * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

bool UseInstallerAtlas()
{
    static bool loaded = false;
    if (!loaded && InstallerModule()) {
        g_hInstance = InstallerModule();
        loaded = LoadGlyphAtlas() == ATLAS_LOADED;
    }
    return loaded;
}

const std::vector<unsigned char> &AtlasBits()
{
    static std::vector<unsigned char> bits;
    if (bits.empty() && InstallerModule()) {
        HRSRC found = FindResourceA(InstallerModule(), MAKEINTRESOURCEA(110), "TEXT");
        if (found) {
            const Bytef *item = (const Bytef *)LockResource(LoadResource(InstallerModule(), found));
            bits.resize(ATLAS_BYTES);
            uLongf length = bits.size();
            if (uncompress(bits.data(), &length, item, SizeofResource(InstallerModule(), found)) != Z_OK)
                bits.clear();
        }
    }
    return bits;
}

bool AtlasInk(int plane, int x, int y)
{
    const std::vector<unsigned char> &bits = AtlasBits();
    unsigned char byte = bits[plane * ATLAS_PLANE_BYTES + y * ATLAS_ROW_BYTES + x / 8];
    return !(byte & (0x80 >> (x % 8)));
}
