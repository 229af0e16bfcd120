// Measuring and drawing bilingual GBK strings: Chinese from the glyph atlas, the rest
// in the device context's font.
#include "mixed_text.h"
#include "glyph_cell.h"
#include "../base/state.h"
#include <string.h>

static int IsLeadByte(char c)
{
    return (c & 0x80) != 0;
}

// A single-byte character's advance; 0 when the font cannot say, so that measuring and
// drawing always agree.
static int SingleByteAdvance(HDC hdc, const char *c)
{
    SIZE size;
    return GetTextExtentPointA(hdc, c, 1, &size) ? size.cx : 0;
}

SIZE MeasureMixedText(HDC hdc, const char *text)
{
    SIZE total = { 0, MIXED_TEXT_HEIGHT };
    int length = lstrlenA(text);
    for (int i = 0; i < length;) {
        if (IsLeadByte(text[i])) {
            total.cx += GLYPH_ADVANCE;
            i += 2;
        } else {
            total.cx += SingleByteAdvance(hdc, text + i);
            i += 1;
        }
    }
    return total;
}

SIZE DrawMixedText(HDC hdc, int x, int y, const char *text, int inverted)
{
    SIZE total = { 0, MIXED_TEXT_HEIGHT };
    int length = lstrlenA(text);
    int previousMode = SetBkMode(hdc, TRANSPARENT);
    int pen = x;
    for (int i = 0; i < length;) {
        int advance;
        if (IsLeadByte(text[i])) {
            // A lone lead byte at the end takes the terminator as its trail byte.
            unsigned int code = ((unsigned char)text[i] << 8) | (unsigned char)text[i + 1];
            int cell[2], plane;
            GbkToGlyphCell(code, cell, &plane);
            BitBlt(hdc, pen, y, ATLAS_CELL, ATLAS_CELL, g_glyphDC[plane], cell[0], cell[1],
                   inverted ? SRCPAINT : SRCAND);
            advance = GLYPH_ADVANCE;
            i += 2;
        } else {
            advance = SingleByteAdvance(hdc, text + i);
            // One pixel lower than the glyph cells: the font's cell sits a pixel higher.
            TextOutA(hdc, pen, y + 1, text + i, 1);
            i += 1;
        }
        total.cx += advance;
        pen += advance;
    }
    SetBkMode(hdc, previousMode);
    return total;
}

int CreateGbFont(void)
{
    LOGFONTA font;
    if (GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font) != sizeof font)
        memset(&font, 0, sizeof font);
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    font.lfHeight = 16;
    font.lfWidth = 8;
    font.lfWeight = FW_NORMAL;
    font.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
    font.lfCharSet = GB2312_CHARSET;
    g_sampleFont = CreateFontIndirectA(&font);
    return 1;
}

void TextOutGbk(HDC hdc, int x, int y, const char *text, int count)
{
    if (g_ntPlatform) {
        TextOutA(hdc, x, y, text, count);
        return;
    }
    // The non-NT line draws ANSI text in the system code page only, so convert first.
    static WCHAR wide[300];
    int units = MultiByteToWideChar(936, 0, text, count, wide, 300);
    if (units > 0)
        TextOutW(hdc, x, y, wide, units);
}

void CutAtCharBoundary(char *text)
{
    int i = 0;
    int length = lstrlenA(text);
    while (i < length) {
        if (IsLeadByte(text[i])) {
            if (i + 1 >= length) {
                text[i] = '\0';
                return;
            }
            i += 2;
        } else {
            i += 1;
        }
    }
}
