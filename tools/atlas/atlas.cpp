// Builds the installer's 16x16 glyph atlas from unifont bitmaps and glibc's GB2312 table.
#include "atlas/atlas.h"

#include "render/glyph_cell.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>

namespace {

enum { GLYPH_ROWS = 16, CODE_POINTS = 0x10000 };

// Ink bits of one glyph, widened to 16 columns; bit 15 is the leftmost pixel.
struct Glyph {
    bool present;
    unsigned short rows[GLYPH_ROWS];
};

struct Gb2312RowRange {
    int first;
    int last;
};

// The GB2312 rows the atlas carries; the gap (rows 8-15) holds nothing the installer shows.
const Gb2312RowRange kAtlasRows[] = {
    {1, 7},
    {16, 87},
};

const int kCellsPerGb2312Row = 94;

// 0xE946 lies outside GB2312, so glibc's GB2312 table cannot name its character.
const unsigned int kRongCode = 0xE946;
const unsigned int kRongCodePoint = 0x9555;

const unsigned int kRuleCode = 0xA9A4;
const unsigned short kRuleGlyph[GLYPH_ROWS] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFF, 0xFFFF, 0, 0, 0, 0, 0,
};

bool ReadWholeFile(const char *path, std::string *text, std::string *error)
{
    FILE *file = std::fopen(path, "rb");
    if (!file) {
        *error = std::string("cannot open unifont file ") + path + ": " + std::strerror(errno);
        return false;
    }
    text->clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *error = std::string("cannot read unifont file ") + path;
        return false;
    }
    return true;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ParseHexNumber(const char *digits, size_t length, unsigned long *value)
{
    *value = 0;
    for (size_t i = 0; i < length; i++) {
        int digit = HexDigitValue(digits[i]);
        if (digit < 0)
            return false;
        *value = *value * 16 + (unsigned long)digit;
    }
    return true;
}

// Narrow glyphs are 8 columns wide; they sit in the middle of the 16-column cell.
bool ParseGlyphBits(const char *digits, size_t length, Glyph *glyph)
{
    size_t digitsPerRow = length / GLYPH_ROWS;
    if (length != 32 && length != 64)
        return false;
    for (int row = 0; row < GLYPH_ROWS; row++) {
        unsigned long bits;
        if (!ParseHexNumber(digits + row * digitsPerRow, digitsPerRow, &bits))
            return false;
        glyph->rows[row] = (unsigned short)(digitsPerRow == 2 ? bits << 4 : bits);
    }
    glyph->present = true;
    return true;
}

std::string LineError(const char *path, int lineNumber, const char *what)
{
    return std::string(path) + ":" + std::to_string(lineNumber) + ": " + what;
}

// Code points beyond the BMP are skipped: GB2312 maps only into the BMP.
bool ParseUnifontLine(const char *path, int lineNumber, std::string line,
                      std::vector<Glyph> *glyphs, std::string *error)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return true;
    size_t colon = line.find(':');
    if (colon == std::string::npos || colon < 4 || colon > 6) {
        *error = LineError(path, lineNumber, "expected a 4 to 6 digit code point and a colon");
        return false;
    }
    unsigned long codePoint;
    if (!ParseHexNumber(line.data(), colon, &codePoint)) {
        *error = LineError(path, lineNumber, "code point is not hexadecimal");
        return false;
    }
    Glyph glyph = {};
    if (!ParseGlyphBits(line.data() + colon + 1, line.size() - colon - 1, &glyph)) {
        *error = LineError(path, lineNumber, "bitmap must be 32 or 64 hexadecimal digits");
        return false;
    }
    if (codePoint >= CODE_POINTS)
        return true;
    if ((*glyphs)[codePoint].present) {
        *error = LineError(path, lineNumber, "code point appears twice");
        return false;
    }
    (*glyphs)[codePoint] = glyph;
    return true;
}

bool ParseUnifontText(const char *path, const std::string &text, std::vector<Glyph> *glyphs,
                      std::string *error)
{
    glyphs->assign(CODE_POINTS, Glyph());
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lineNumber++;
        std::string line = text.substr(start, end - start);
        if (!ParseUnifontLine(path, lineNumber, line, glyphs, error))
            return false;
        start = end + 1;
    }
    return true;
}

bool HasAnyGlyph(const std::vector<Glyph> &glyphs)
{
    for (const Glyph &glyph : glyphs)
        if (glyph.present)
            return true;
    return false;
}

bool LoadUnifont(const char *path, std::vector<Glyph> *glyphs, std::string *error)
{
    std::string text;
    if (!ReadWholeFile(path, &text, error) || !ParseUnifontText(path, text, glyphs, error))
        return false;
    // An empty table would silently yield a blank atlas, which is surely a wrong input file.
    if (!HasAnyGlyph(*glyphs)) {
        *error = std::string("unifont file ") + path + " holds no glyphs of the basic plane";
        return false;
    }
    return true;
}

// One two-byte code in, exactly one code point out; anything else means unassigned.
bool Gb2312ToCodePoint(iconv_t converter, unsigned int code, unsigned int *codePoint)
{
    char input[2] = {(char)(code >> 8), (char)(code & 0xFF)};
    unsigned char output[8];
    char *in = input;
    char *out = (char *)output;
    size_t inLeft = sizeof input;
    size_t outLeft = sizeof output;
    size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (result == (size_t)-1 || inLeft != 0 || sizeof output - outLeft != 4)
        return false;
    *codePoint = (unsigned int)output[0] << 24 | (unsigned int)output[1] << 16 |
                 (unsigned int)output[2] << 8 | output[3];
    return true;
}

void WriteCellRow(std::vector<unsigned char> *atlas, int plane, int x, int y,
                  unsigned short inkBits)
{
    size_t offset = (size_t)plane * ATLAS_PLANE_BYTES + (size_t)y * ATLAS_ROW_BYTES + x / 8;
    unsigned short paperBits = (unsigned short)~inkBits;
    (*atlas)[offset] = (unsigned char)(paperBits >> 8);
    (*atlas)[offset + 1] = (unsigned char)(paperBits & 0xFF);
}

void PaintCell(std::vector<unsigned char> *atlas, unsigned int code,
               const unsigned short rows[GLYPH_ROWS])
{
    int position[2];
    int plane;
    GbkToGlyphCell(code, position, &plane);
    for (int row = 0; row < GLYPH_ROWS; row++)
        WriteCellRow(atlas, plane, position[0], position[1] + row, rows[row]);
}

void PaintCodePoint(std::vector<unsigned char> *atlas, unsigned int code, unsigned int codePoint,
                    const std::vector<Glyph> &glyphs)
{
    if (codePoint >= CODE_POINTS || !glyphs[codePoint].present)
        return;
    PaintCell(atlas, code, glyphs[codePoint].rows);
}

void PaintGb2312Row(std::vector<unsigned char> *atlas, iconv_t converter, int row,
                    const std::vector<Glyph> &glyphs)
{
    for (int cell = 1; cell <= kCellsPerGb2312Row; cell++) {
        unsigned int code = (unsigned int)(0xA0 + row) << 8 | (unsigned int)(0xA0 + cell);
        unsigned int codePoint;
        if (Gb2312ToCodePoint(converter, code, &codePoint))
            PaintCodePoint(atlas, code, codePoint, glyphs);
    }
}

bool PaintGb2312(std::vector<unsigned char> *atlas, const std::vector<Glyph> &glyphs,
                 std::string *error)
{
    iconv_t converter = iconv_open("UTF-32BE", "GB2312");
    if (converter == (iconv_t)-1) {
        *error = std::string("iconv cannot convert GB2312: ") + std::strerror(errno);
        return false;
    }
    for (const Gb2312RowRange &range : kAtlasRows)
        for (int row = range.first; row <= range.last; row++)
            PaintGb2312Row(atlas, converter, row, glyphs);
    iconv_close(converter);
    return true;
}

} // namespace

bool BuildGlyphAtlas(const char *unifontHexPath, std::vector<unsigned char> *atlas,
                     std::string *error)
{
    std::vector<Glyph> glyphs;
    if (!LoadUnifont(unifontHexPath, &glyphs, error))
        return false;
    atlas->assign(ATLAS_BYTES, 0xFF);
    if (!PaintGb2312(atlas, glyphs, error))
        return false;
    PaintCodePoint(atlas, kRongCode, kRongCodePoint, glyphs);
    PaintCell(atlas, kRuleCode, kRuleGlyph);
    return true;
}
