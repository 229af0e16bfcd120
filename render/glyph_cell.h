// Where the 16x16 glyph of a GBK double-byte character lies in the glyph atlas.
#pragma once

// The atlas is four 1-bit planes, each a top-down monochrome DDB of 512 x 944 pixels
// (bit 1 = paper, bit 0 = ink), stored back to back.
enum {
    ATLAS_PLANES = 4,
    ATLAS_PLANE_WIDTH = 512,
    ATLAS_PLANE_HEIGHT = 944,
    ATLAS_ROW_BYTES = ATLAS_PLANE_WIDTH / 8,
    ATLAS_PLANE_BYTES = ATLAS_ROW_BYTES * ATLAS_PLANE_HEIGHT,   // 0xEC00
    ATLAS_BYTES = ATLAS_PLANES * ATLAS_PLANE_BYTES,             // 241,664
    ATLAS_CELL = 16,
    ATLAS_COLUMNS = ATLAS_PLANE_WIDTH / ATLAS_CELL,             // 32
    ATLAS_ROWS = ATLAS_PLANE_HEIGHT / ATLAS_CELL,               // 59
    ATLAS_CELLS_PER_PLANE = ATLAS_COLUMNS * ATLAS_ROWS,         // 1888
    ATLAS_CELL_RONG = 7456,     // GBK 0xE946, outside GB2312
    ATLAS_CELL_RULE = 7457      // GBK 0xA9A4, a box-drawing rule
};

// Maps the low 16 bits of code (lead byte high, trail byte low) to the top-left pixel
// of its cell (position[0] = x, position[1] = y) and the plane that holds it.
// Every input lands inside a plane, so a 16x16 copy from there is always safe.
// Always returns 1.
int GbkToGlyphCell(unsigned int code, int position[2], int *plane);
