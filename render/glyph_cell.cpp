// GBK code to glyph-atlas cell: plain integer arithmetic, no tables.
#include "glyph_cell.h"

int GbkToGlyphCell(unsigned int code, int position[2], int *plane)
{
    code &= 0xFFFF;

    // Two characters outside GB2312 that the product's own texts use.
    if (code == 0xE946) {
        position[0] = 0;
        position[1] = 896;
        *plane = 3;
        return 1;
    }
    if (code == 0xA9A4) {
        position[0] = 16;
        position[1] = 896;
        *plane = 3;
        return 1;
    }

    // t holds the GB2312 row in its high byte and the cell in its low byte.
    int t = (int)((code + 0x5F60) & 0xFFFF);
    int v = (t / 256) * 96 + t % 256;
    int n;
    if (code < 0xB0A1) {
        int d = v - 97;                 // rows 1-15, packed 94 to a row
        n = d - 2 * (d / 96);
    } else {
        int d = v - 1537;               // rows 16-94 continue at cell 658
        n = (v - 879) - 2 * (d / 96);
    }
    n &= 0xFFFF;                        // codes below 0xA1A1 wrap to high cells

    int g = n / ATLAS_COLUMNS;
    position[0] = (n % ATLAS_COLUMNS) * ATLAS_CELL;
    *plane = g / ATLAS_ROWS > 3 ? 3 : g / ATLAS_ROWS;
    position[1] = (g * ATLAS_CELL) % ATLAS_PLANE_HEIGHT;
    return 1;
}
