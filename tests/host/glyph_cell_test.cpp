// Checks the GBK-code-to-atlas-cell mapping against known cells and its bounds.
#include "render/glyph_cell.h"

#include <gtest/gtest.h>

namespace {

struct CellCase {
    unsigned int code;
    int plane;
    int x;
    int y;
};

const CellCase kKnownCells[] = {
    {0xA1A1, 0, 0, 0},      // ideographic space, cell 0
    {0xA1A2, 0, 16, 0},
    {0xA3C1, 0, 448, 96},   // full-width A
    {0xA7F1, 0, 64, 320},   // last Cyrillic
    {0xB0A1, 0, 288, 320},  // first hanzi, cell 658
    {0xB1A1, 0, 256, 368},
    {0xC8D5, 1, 352, 528},
    {0xD6D0, 2, 336, 240},
    {0xF7FE, 3, 16, 880},   // last hanzi, cell 7425
    {0xE946, 3, 0, 896},    // fixed cell 7456
    {0xA9A4, 3, 16, 896},   // fixed cell 7457
    {0xA8A1, 0, 288, 320},  // row 8 shares row 16's cells
    {0x8140, 3, 496, 160},  // GBK extension lands past plane 3's end and wraps
    {0xA0A0, 3, 16, 624},   // negative intermediate wraps to a high cell
};

int CellNumber(int plane, int x, int y)
{
    return plane * ATLAS_CELLS_PER_PLANE + (y / ATLAS_CELL) * ATLAS_COLUMNS + x / ATLAS_CELL;
}

TEST(GbkToGlyphCell, KnownCodes)
{
    for (const CellCase &c : kKnownCells) {
        int position[2] = {-1, -1};
        int plane = -1;
        EXPECT_EQ(1, GbkToGlyphCell(c.code, position, &plane));
        EXPECT_EQ(c.plane, plane) << std::hex << c.code;
        EXPECT_EQ(c.x, position[0]) << std::hex << c.code;
        EXPECT_EQ(c.y, position[1]) << std::hex << c.code;
    }
}

TEST(GbkToGlyphCell, EveryInputStaysInsideAPlane)
{
    for (unsigned int code = 0; code <= 0xFFFF; code++) {
        int position[2];
        int plane;
        GbkToGlyphCell(code, position, &plane);
        ASSERT_TRUE(plane >= 0 && plane < ATLAS_PLANES) << std::hex << code;
        ASSERT_TRUE(position[0] >= 0 && position[0] <= ATLAS_PLANE_WIDTH - ATLAS_CELL &&
                    position[0] % ATLAS_CELL == 0) << std::hex << code;
        ASSERT_TRUE(position[1] >= 0 && position[1] <= ATLAS_PLANE_HEIGHT - ATLAS_CELL &&
                    position[1] % ATLAS_CELL == 0) << std::hex << code;
    }
}

TEST(GbkToGlyphCell, BitsAbove15AreIgnored)
{
    for (unsigned int code = 0; code <= 0xFFFF; code++) {
        int position[2], widePosition[2];
        int plane, widePlane;
        GbkToGlyphCell(code, position, &plane);
        GbkToGlyphCell(code | 0xABC0000, widePosition, &widePlane);
        ASSERT_EQ(plane, widePlane) << std::hex << code;
        ASSERT_EQ(position[0], widePosition[0]) << std::hex << code;
        ASSERT_EQ(position[1], widePosition[1]) << std::hex << code;
    }
}

// Rows 1-7 then 16-87 must tile cells 0..7425 one after another, so the atlas
// builder and the renderer agree on every character.
TEST(GbkToGlyphCell, Gb2312RowsFillCellsInCodeOrder)
{
    const int rowRanges[][2] = {{1, 7}, {16, 87}};
    int expected = 0;
    for (const auto &range : rowRanges) {
        for (int row = range[0]; row <= range[1]; row++) {
            for (int cell = 1; cell <= 94; cell++) {
                unsigned int code = (unsigned int)(0xA0 + row) << 8 | (unsigned int)(0xA0 + cell);
                int position[2];
                int plane;
                GbkToGlyphCell(code, position, &plane);
                ASSERT_EQ(expected, CellNumber(plane, position[0], position[1]))
                    << std::hex << code;
                expected++;
            }
        }
    }
    EXPECT_EQ(7426, expected);
}

} // namespace
