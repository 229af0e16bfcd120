// Screen pixels into an RGB PNG: one IDAT chunk holding every row behind a "no filter" byte.
#include "screen_png.h"
#include <stdio.h>
#include <vector>
#include <zlib.h>

static void PutBigEndian(std::vector<unsigned char> &out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(value >> shift));
}

static void PutChunk(FILE *file, const char *type, const std::vector<unsigned char> &data)
{
    std::vector<unsigned char> length;
    PutBigEndian(length, (unsigned long)data.size());
    fwrite(length.data(), 1, 4, file);
    fwrite(type, 1, 4, file);
    fwrite(data.data(), 1, data.size(), file);
    // crc32 with no data returns its seed (0), not the running value: skip it then.
    uLong crc = crc32(0, (const Bytef *)type, 4);
    if (!data.empty())
        crc = crc32(crc, data.data(), (uInt)data.size());
    std::vector<unsigned char> tail;
    PutBigEndian(tail, crc);
    fwrite(tail.data(), 1, 4, file);
}

// Top-down 32-bit pixels of the screen area, blue first.
static bool ReadScreen(const RECT &area, std::vector<unsigned char> *pixels)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool read = false;
    if (memory && bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        read = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        GdiFlush();
        if (read)
            pixels->assign((unsigned char *)bits, (unsigned char *)bits + (size_t)width * height * 4);
        SelectObject(memory, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return read;
}

bool SaveScreenPng(const char *path, const RECT &area)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<unsigned char> pixels;
    if (width <= 0 || height <= 0 || !ReadScreen(area, &pixels))
        return false;
    std::vector<unsigned char> rows;
    for (int y = 0; y < height; y++) {
        rows.push_back(0);
        for (int x = 0; x < width; x++) {
            const unsigned char *bgra = &pixels[((size_t)y * width + x) * 4];
            rows.push_back(bgra[2]);
            rows.push_back(bgra[1]);
            rows.push_back(bgra[0]);
        }
    }
    uLongf packedSize = compressBound(rows.size());
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), rows.size(), 9) != Z_OK)
        return false;
    packed.resize(packedSize);
    std::vector<unsigned char> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    const unsigned char kRgb8[] = { 8, 2, 0, 0, 0 };   // depth, colour type, compression, filter, interlace
    header.insert(header.end(), kRgb8, kRgb8 + sizeof kRgb8);
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    fwrite("\x89PNG\r\n\x1a\n", 1, 8, file);
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    return fclose(file) == 0;
}
