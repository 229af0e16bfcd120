// A 24-bit memory bitmap to draw into and read back pixel by pixel.
#pragma once
#include <windows.h>
#include <vector>

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    unsigned char *bits;
    int width, height;
};

Canvas MakeCanvas(int width, int height, COLORREF fill);
void FreeCanvas(Canvas &canvas);
COLORREF Pixel(const Canvas &canvas, int x, int y);

// Loads the glyph atlas from the built installer once; false when that fails.
bool UseInstallerAtlas();

// The raw atlas bits (4 planes) inflated from the built installer.
const std::vector<unsigned char> &AtlasBits();

// True when the atlas pixel (x, y) of plane is ink.
bool AtlasInk(int plane, int x, int y);
