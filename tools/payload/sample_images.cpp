// Sample pictures: keyboard-layout BMPs at 1, 8 and 24 bits and window-shot PNGs.
#include "sample_content_internal.h"
#include <zlib.h>

enum KeyboardPart { PART_PAPER, PART_OUTLINE, PART_FACE };

enum {
    BMP_FILE_HEADER = 14,
    BMP_INFO_HEADER = 40,
    BMP_PIXELS_PER_METRE = 2835,    // 72 dpi
    KEY_ROWS = 5,
    KEYS_PER_ROW = 15,
    KEY_GAP = 3
};

// Five staggered rows of keys inside a frame: enough to read as a keyboard layout.
static KeyboardPart KeyboardPartAt(int x, int y, int width, int height)
{
    const int margin = 6;
    if (x < margin || y < margin || x >= width - margin || y >= height - margin)
        return PART_PAPER;
    if (x == margin || y == margin || x == width - margin - 1 || y == height - margin - 1)
        return PART_OUTLINE;

    int keyWidth = (width - 2 * margin) / KEYS_PER_ROW;
    int rowHeight = (height - 2 * margin) / KEY_ROWS;
    if (keyWidth <= KEY_GAP + 2 || rowHeight <= KEY_GAP + 2)
        return PART_PAPER;
    int row = (y - margin) / rowHeight;
    int inRowY = (y - margin) % rowHeight;
    int shifted = x - margin + keyWidth - row * keyWidth / 4;
    int inKeyX = shifted % keyWidth;
    if (row >= KEY_ROWS || inRowY < KEY_GAP || inKeyX < KEY_GAP)
        return PART_PAPER;
    if (inRowY == KEY_GAP || inRowY == rowHeight - 1 || inKeyX == KEY_GAP ||
        inKeyX == keyWidth - 1)
        return PART_OUTLINE;
    return PART_FACE;
}

static unsigned BmpRowBytes(int width, int bitsPerPixel)
{
    return (unsigned)((width * bitsPerPixel + 31) / 32) * 4;
}

static unsigned BmpPaletteEntries(int bitsPerPixel)
{
    return bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0;
}

static void AppendBmpHeaders(const SampleSpec &sample, unsigned pixelOffset, unsigned imageBytes,
                             Bytes *out)
{
    out->push_back('B');
    out->push_back('M');
    PutLe32(out, pixelOffset + imageBytes);
    PutLe32(out, 0);
    PutLe32(out, pixelOffset);

    PutLe32(out, BMP_INFO_HEADER);
    PutLe32(out, (uint32_t)sample.width);
    PutLe32(out, (uint32_t)sample.height);     // positive: rows run bottom-up
    PutLe16(out, 1);
    PutLe16(out, (unsigned)sample.bitsPerPixel);
    PutLe32(out, 0);                         // BI_RGB
    PutLe32(out, imageBytes);
    PutLe32(out, BMP_PIXELS_PER_METRE);
    PutLe32(out, BMP_PIXELS_PER_METRE);
    PutLe32(out, BmpPaletteEntries(sample.bitsPerPixel));
    PutLe32(out, 0);
}

// 1 bit: black and white. 8 bits: a blue-grey ramp so index order is also brightness.
static void AppendBmpPalette(int bitsPerPixel, Bytes *out)
{
    unsigned entries = BmpPaletteEntries(bitsPerPixel);
    for (unsigned i = 0; i < entries; ++i) {
        unsigned level = entries == 2 ? i * 255 : i;
        bool tinted = entries > 2;
        out->push_back((unsigned char)level);                               // blue
        out->push_back((unsigned char)(tinted ? level * 7 / 8 : level));    // green
        out->push_back((unsigned char)(tinted ? level * 3 / 4 : level));    // red
        out->push_back(0);
    }
}

// Brightness 0-255 of a pixel: a vertical gradient behind dark outlines and light keys.
static unsigned KeyboardLevel(int x, int y, int width, int height)
{
    switch (KeyboardPartAt(x, y, width, height)) {
    case PART_OUTLINE:  return 24;
    case PART_FACE:     return 232;
    case PART_PAPER:    break;
    }
    return 96 + (unsigned)(y * 120 / height);
}

static void AppendBmpRow(const SampleSpec &sample, int y, unsigned rowBytes, Bytes *out)
{
    Bytes row(rowBytes, 0);
    for (int x = 0; x < sample.width; ++x) {
        unsigned level = KeyboardLevel(x, y, sample.width, sample.height);
        if (sample.bitsPerPixel == 1) {
            if (KeyboardPartAt(x, y, sample.width, sample.height) != PART_OUTLINE)
                row[x / 8] |= (unsigned char)(0x80 >> (x % 8));
        } else if (sample.bitsPerPixel == 8) {
            row[x] = (unsigned char)level;
        } else {
            // Tint the gradient across the width so the 24-bit pictures show colour.
            row[3 * x] = (unsigned char)level;
            row[3 * x + 1] = (unsigned char)(level * (unsigned)(sample.width - x / 2) / sample.width);
            row[3 * x + 2] = (unsigned char)(level * (unsigned)(x / 2 + sample.width / 2) /
                                             sample.width);
        }
    }
    out->insert(out->end(), row.begin(), row.end());
}

bool MakeBmp(const SampleSpec &sample, Bytes *out, std::string *error)
{
    int bpp = sample.bitsPerPixel;
    if (bpp != 1 && bpp != 8 && bpp != 24)
        return SampleFail(error, "BMP depth must be 1, 8 or 24, not " + std::to_string(bpp));
    if (sample.width <= 0 || sample.height <= 0 || sample.width > 16384 || sample.height > 16384)
        return SampleFail(error, "BMP size out of range");

    unsigned rowBytes = BmpRowBytes(sample.width, bpp);
    unsigned imageBytes = rowBytes * (unsigned)sample.height;
    unsigned pixelOffset = BMP_FILE_HEADER + BMP_INFO_HEADER + 4 * BmpPaletteEntries(bpp);
    if (pixelOffset + imageBytes != sample.bytes)
        return SampleFail(error, "a " + std::to_string(sample.width) + "x" +
                                     std::to_string(sample.height) + "x" + std::to_string(bpp) +
                                     " BMP is " + std::to_string(pixelOffset + imageBytes) +
                                     " bytes");

    out->clear();
    out->reserve(sample.bytes);
    AppendBmpHeaders(sample, pixelOffset, imageBytes, out);
    AppendBmpPalette(bpp, out);
    for (int y = sample.height - 1; y >= 0; --y)
        AppendBmpRow(sample, y, rowBytes, out);
    return true;
}

// ---- PNG ----

enum {
    PNG_CHUNK_OVERHEAD = 12,        // length, type, CRC
    SHOT_PAPER = 0, SHOT_TITLE, SHOT_FRAME, SHOT_INK, SHOT_PANEL, SHOT_PICK,
    SHOT_COLOURS
};

static const unsigned char kShotPalette[SHOT_COLOURS][3] = {
    { 0xEC, 0xE9, 0xD8 },   // window background
    { 0x2A, 0x5C, 0xAA },   // title bar
    { 0x70, 0x70, 0x70 },   // frame
    { 0x10, 0x10, 0x10 },   // text
    { 0xFF, 0xFF, 0xFF },   // edit panel
    { 0xC8, 0xDC, 0xF8 }    // highlighted candidate
};

static const unsigned char kPngSignature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };

static void AppendChunk(Bytes *png, const char *type, const Bytes &data)
{
    PutBe32(png, (uint32_t)data.size());
    size_t start = png->size();
    png->insert(png->end(), type, type + 4);
    png->insert(png->end(), data.begin(), data.end());
    PutBe32(png, (uint32_t)crc32(0, png->data() + start, (uInt)(png->size() - start)));
}

static void FillBox(Bytes *pixels, int width, int x0, int y0, int x1, int y1, unsigned char c)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            (*pixels)[(size_t)y * width + x] = c;
}

// Rows of word-sized blocks, one of them highlighted: reads as text in a candidate window.
static void DrawTextLines(Bytes *pixels, int width, int top, int bottom, SamplePrng *prng)
{
    const int lineStep = 14, glyphHeight = 8;
    for (int y = top + 4; y + glyphHeight <= bottom - 2; y += lineStep) {
        int x = 10;
        int pick = (int)RandomBelow(prng, 5);
        for (int word = 0;; ++word) {
            int w = 8 + (int)RandomBelow(prng, 5) * 8;
            if (x + w > width - 10)
                break;
            unsigned char c = word == pick ? SHOT_PICK : SHOT_INK;
            FillBox(pixels, width, x, y, x + w, y + glyphHeight, c);
            x += w + 6;
        }
    }
}

static Bytes DrawWindowShot(const SampleSpec &sample)
{
    int w = sample.width, h = sample.height;
    Bytes pixels((size_t)w * h, SHOT_PAPER);
    SamplePrng prng = SeedPrng(sample.id);
    int titleBottom = h / 6 < 10 ? 10 : (h / 6 > 20 ? 20 : h / 6);
    FillBox(&pixels, w, 0, 0, w, h, SHOT_FRAME);
    FillBox(&pixels, w, 1, 1, w - 1, h - 1, SHOT_PAPER);
    FillBox(&pixels, w, 1, 1, w - 1, titleBottom, SHOT_TITLE);
    FillBox(&pixels, w, 6, titleBottom + 4, w - 6, h - 6, SHOT_PANEL);
    DrawTextLines(&pixels, w, titleBottom + 4, h - 6, &prng);
    return pixels;
}

static bool CompressRows(const SampleSpec &sample, const Bytes &pixels, Bytes *idat,
                         std::string *error)
{
    Bytes raw;
    raw.reserve((size_t)sample.height * (sample.width + 1));
    for (int y = 0; y < sample.height; ++y) {
        raw.push_back(0);                   // filter type None
        raw.insert(raw.end(), pixels.begin() + (size_t)y * sample.width,
                   pixels.begin() + (size_t)(y + 1) * sample.width);
    }
    uLongf packed = compressBound(raw.size());
    idat->resize(packed);
    if (compress2(idat->data(), &packed, raw.data(), raw.size(), 9) != Z_OK)
        return SampleFail(error, "zlib could not compress the PNG rows");
    idat->resize(packed);
    return true;
}

static Bytes PngHeaderData(const SampleSpec &sample)
{
    Bytes ihdr;
    PutBe32(&ihdr, (uint32_t)sample.width);
    PutBe32(&ihdr, (uint32_t)sample.height);
    ihdr.push_back(8);      // bit depth
    ihdr.push_back(3);      // indexed colour
    ihdr.push_back(0);      // deflate
    ihdr.push_back(0);      // adaptive filtering
    ihdr.push_back(0);      // not interlaced
    return ihdr;
}

// Fills room bytes with one ancillary chunk: a readable tEXt comment when it fits, else a
// private "paDd" chunk (ancillary, private, safe to copy) that decoders skip.
static void AppendPadChunk(const SampleSpec &sample, size_t room, Bytes *png)
{
    static const char keyword[] = "Comment";
    const size_t keywordBytes = sizeof keyword;     // with its NUL separator
    Bytes data;
    if (room >= PNG_CHUNK_OVERHEAD + keywordBytes) {
        data.assign(keyword, keyword + keywordBytes);
        std::string filler = std::string("Pendrel Writer sample picture ") + sample.file + ". ";
        while (data.size() < room - PNG_CHUNK_OVERHEAD)
            data.push_back((unsigned char)filler[(data.size() - keywordBytes) % filler.size()]);
        AppendChunk(png, "tEXt", data);
    } else {
        data.assign(room - PNG_CHUNK_OVERHEAD, 0);
        AppendChunk(png, "paDd", data);
    }
}

bool MakePng(const SampleSpec &sample, Bytes *out, std::string *error)
{
    if (sample.width <= 20 || sample.height <= 20 || sample.width > 4096 || sample.height > 4096)
        return SampleFail(error, "PNG size out of range");

    Bytes idat;
    if (!CompressRows(sample, DrawWindowShot(sample), &idat, error))
        return false;

    Bytes palette;
    for (int i = 0; i < SHOT_COLOURS; ++i)
        palette.insert(palette.end(), kShotPalette[i], kShotPalette[i] + 3);

    Bytes png(kPngSignature, kPngSignature + sizeof kPngSignature);
    AppendChunk(&png, "IHDR", PngHeaderData(sample));
    AppendChunk(&png, "PLTE", palette);
    AppendChunk(&png, "IDAT", idat);

    size_t natural = png.size() + PNG_CHUNK_OVERHEAD;      // with IEND
    if (natural + PNG_CHUNK_OVERHEAD > sample.bytes)
        return SampleFail(error, "PNG is " + std::to_string(natural) +
                                     " bytes, no room for a padding chunk");
    AppendPadChunk(sample, sample.bytes - natural, &png);
    AppendChunk(&png, "IEND", Bytes());
    *out = png;
    return true;
}
