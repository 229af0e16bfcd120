// Checks the glyph atlas built from unifont: layout, glyph placement, blank cells and bad input.
#include "atlas/atlas.h"
#include "render/glyph_cell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct BuiltAtlas {
    bool ok;
    std::string error;
    std::vector<unsigned char> bytes;
};

const BuiltAtlas &UnifontAtlas()
{
    static BuiltAtlas built = [] {
        BuiltAtlas b;
        b.ok = BuildGlyphAtlas(UNIFONT_HEX, &b.bytes, &b.error);
        return b;
    }();
    return built;
}

struct CellSpot {
    int plane;
    int x;
    int y;
};

CellSpot SpotOfCode(unsigned int code)
{
    int position[2];
    CellSpot spot;
    GbkToGlyphCell(code, position, &spot.plane);
    spot.x = position[0];
    spot.y = position[1];
    return spot;
}

CellSpot SpotOfCellNumber(int n)
{
    CellSpot spot;
    spot.plane = n / ATLAS_CELLS_PER_PLANE;
    spot.x = n % ATLAS_COLUMNS * ATLAS_CELL;
    spot.y = n % ATLAS_CELLS_PER_PLANE / ATLAS_COLUMNS * ATLAS_CELL;
    return spot;
}

bool IsInk(const std::vector<unsigned char> &atlas, const CellSpot &spot, int column, int row)
{
    int x = spot.x + column;
    size_t offset = (size_t)spot.plane * ATLAS_PLANE_BYTES +
                    (size_t)(spot.y + row) * ATLAS_ROW_BYTES + x / 8;
    return (atlas[offset] & (0x80 >> (x % 8))) == 0;
}

bool IsBlank(const std::vector<unsigned char> &atlas, const CellSpot &spot)
{
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++)
            if (IsInk(atlas, spot, column, row))
                return false;
    return true;
}

// ink[row][column] of a unifont glyph as it should look in a cell: narrow glyphs centred.
struct ExpectedCell {
    bool found;
    bool ink[16][16];
};

int HexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

ExpectedCell ReadUnifontGlyph(unsigned int codePoint)
{
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%04X:", codePoint);
    ExpectedCell cell = {};
    std::ifstream file(UNIFONT_HEX);
    std::string line;
    while (std::getline(file, line)) {
        if (line.compare(0, 5, prefix) != 0)
            continue;
        std::string bits = line.substr(5);
        int width = bits.size() == 64 ? 16 : 8;
        int left = (16 - width) / 2;
        for (int row = 0; row < 16; row++)
            for (int column = 0; column < width; column++) {
                int digit = HexValue(bits[row * width / 4 + column / 4]);
                cell.ink[row][left + column] = (digit >> (3 - column % 4)) & 1;
            }
        cell.found = true;
        break;
    }
    return cell;
}

bool HasInk(const ExpectedCell &cell)
{
    for (const auto &row : cell.ink)
        for (bool pixel : row)
            if (pixel)
                return true;
    return false;
}

void ExpectCellMatches(const std::vector<unsigned char> &atlas, unsigned int code,
                       const ExpectedCell &expected)
{
    CellSpot spot = SpotOfCode(code);
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++)
            ASSERT_EQ(expected.ink[row][column], IsInk(atlas, spot, column, row))
                << std::hex << "code " << code << std::dec << " row " << row << " column "
                << column;
}

TEST(GlyphAtlas, HasExactSize)
{
    const BuiltAtlas &built = UnifontAtlas();
    ASSERT_TRUE(built.ok) << built.error;
    EXPECT_EQ(241664u, built.bytes.size());
}

struct KnownGlyph {
    unsigned int code;
    unsigned int codePoint;
};

// Wide and narrow glyphs from each region, including the Greek slots of row 6.
const KnownGlyph kKnownGlyphs[] = {
    {0xD6D0, 0x4E2D},  // first plane boundary crossed
    {0xB0A1, 0x554A},  // first hanzi
    {0xF7FE, 0x9F44},  // last hanzi
    {0xA3C1, 0xFF21},  // full-width A
    {0xA1A2, 0x3001},
    {0xA6A1, 0x0391},  // Greek capital alpha, narrow
    {0xA6A4, 0x0394},  // Greek capital delta
    {0xA6D8, 0x03C9},  // last Greek lower-case slot
    {0xA7F1, 0x044F},  // last Cyrillic, narrow
    {0xE946, 0x9555},  // the one character outside GB2312
};

TEST(GlyphAtlas, GlyphsLandBitForBitInTheirCells)
{
    const BuiltAtlas &built = UnifontAtlas();
    ASSERT_TRUE(built.ok) << built.error;
    for (const KnownGlyph &known : kKnownGlyphs) {
        ExpectedCell expected = ReadUnifontGlyph(known.codePoint);
        ASSERT_TRUE(expected.found) << std::hex << known.codePoint;
        ASSERT_TRUE(HasInk(expected)) << std::hex << known.codePoint;
        ExpectCellMatches(built.bytes, known.code, expected);
    }
}

TEST(GlyphAtlas, UnassignedAndSpaceCellsAreBlank)
{
    const BuiltAtlas &built = UnifontAtlas();
    ASSERT_TRUE(built.ok) << built.error;
    const unsigned int blankCodes[] = {
        0xA1A1,                                  // ideographic space
        0xA2A1,                                  // unassigned start of row 2
        0xA4F4,                                  // after the last hiragana
        0xA6B9,                                  // between upper- and lower-case Greek
        0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE,  // short row 55
    };
    for (unsigned int code : blankCodes)
        EXPECT_TRUE(IsBlank(built.bytes, SpotOfCode(code))) << std::hex << code;
}

TEST(GlyphAtlas, EveryHanziCellHasInk)
{
    const BuiltAtlas &built = UnifontAtlas();
    ASSERT_TRUE(built.ok) << built.error;
    for (unsigned int lead = 0xB0; lead <= 0xF7; lead++)
        for (unsigned int trail = 0xA1; trail <= 0xFE; trail++) {
            unsigned int code = lead << 8 | trail;
            if (lead == 0xD7 && trail >= 0xFA)
                continue;
            EXPECT_FALSE(IsBlank(built.bytes, SpotOfCode(code))) << std::hex << code;
        }
}

TEST(GlyphAtlas, CellsBeyondGb2312AreBlankExceptTheTwoFixedOnes)
{
    const BuiltAtlas &built = UnifontAtlas();
    ASSERT_TRUE(built.ok) << built.error;
    for (int n = 7426; n < ATLAS_PLANES * ATLAS_CELLS_PER_PLANE; n++) {
        if (n == ATLAS_CELL_RONG || n == ATLAS_CELL_RULE)
            continue;
        EXPECT_TRUE(IsBlank(built.bytes, SpotOfCellNumber(n))) << "cell " << n;
    }
    EXPECT_FALSE(IsBlank(built.bytes, SpotOfCellNumber(ATLAS_CELL_RONG)));
}

void ExpectRuleCell(const std::vector<unsigned char> &atlas)
{
    CellSpot spot = SpotOfCellNumber(ATLAS_CELL_RULE);
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++)
            ASSERT_EQ(row == 9 || row == 10, IsInk(atlas, spot, column, row))
                << "row " << row << " column " << column;
}

TEST(GlyphAtlas, RuleCellIsTwoFullRows)
{
    const BuiltAtlas &built = UnifontAtlas();
    ASSERT_TRUE(built.ok) << built.error;
    ExpectRuleCell(built.bytes);
}

std::string WriteTempFile(const std::string &name, const std::string &text)
{
    std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

const char kWideLine[] = "554A:8000400020001000080004000200010000800040002000100008000400020001";
const char kNarrowLine[] = "0391:80C0E0F00000000000000000000000FF";

// Asymmetric glyphs catch mirrored, flipped or mis-centred placement without
// depending on what unifont happens to draw.
TEST(GlyphAtlas, SmallFontPlacesPixelsExactlyAndLeavesMissingGlyphsBlank)
{
    std::string path = WriteTempFile("atlas_small.hex",
                                     std::string(kWideLine) + "\r\n" + kNarrowLine + "\r\n");
    std::vector<unsigned char> atlas;
    std::string error;
    ASSERT_TRUE(BuildGlyphAtlas(path.c_str(), &atlas, &error)) << error;
    ASSERT_EQ((size_t)ATLAS_BYTES, atlas.size());

    CellSpot wide = SpotOfCode(0xB0A1);
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++)
            ASSERT_EQ(row == column, IsInk(atlas, wide, column, row))
                << "row " << row << " column " << column;

    CellSpot narrow = SpotOfCode(0xA6A1);
    for (int row = 0; row < 16; row++)
        for (int column = 0; column < 16; column++) {
            bool inked = column >= 4 && column < 12 &&
                         ((row < 4 && column - 4 <= row) || row == 15);
            ASSERT_EQ(inked, IsInk(atlas, narrow, column, row))
                << "row " << row << " column " << column;
        }

    EXPECT_TRUE(IsBlank(atlas, SpotOfCode(0xD6D0)));
    EXPECT_TRUE(IsBlank(atlas, SpotOfCode(0xE946)));
    ExpectRuleCell(atlas);
}

TEST(GlyphAtlas, MalformedFilesFailWithTheLineNumber)
{
    const std::string good = std::string(kWideLine) + "\n";
    const std::string badLines[] = {
        "4E2D",                                       // no bitmap
        "4E2D:0123456789ABCDEF0123456789ABCDE",       // 31 digits
        "4E2D:0123456789ABCDEF0123456789ABCDEG",      // not hexadecimal
        "4G2D:0123456789ABCDEF0123456789ABCDEF",      // bad code point
        "4E:0123456789ABCDEF0123456789ABCDEF",        // code point too short
        kWideLine,                                    // same code point twice
    };
    for (const std::string &bad : badLines) {
        std::string path = WriteTempFile("atlas_bad.hex", good + bad + "\n" + good);
        std::vector<unsigned char> atlas;
        std::string error;
        EXPECT_FALSE(BuildGlyphAtlas(path.c_str(), &atlas, &error)) << bad;
        EXPECT_NE(std::string::npos, error.find(":2:")) << bad << " -> " << error;
    }
}

TEST(GlyphAtlas, MissingOrEmptyFileFails)
{
    std::vector<unsigned char> atlas;
    std::string error;
    std::string path = testing::TempDir() + "atlas_no_such_file.hex";
    EXPECT_FALSE(BuildGlyphAtlas(path.c_str(), &atlas, &error));
    EXPECT_NE(std::string::npos, error.find("atlas_no_such_file.hex")) << error;

    // Blank lines alone would otherwise give an all-paper atlas without complaint.
    path = WriteTempFile("atlas_empty.hex", "\n\n");
    error.clear();
    EXPECT_FALSE(BuildGlyphAtlas(path.c_str(), &atlas, &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
