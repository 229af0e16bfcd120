// Mixed GBK text against the glyph atlas itself, pixel by pixel.
#include "canvas.h"
#include "render/glyph_cell.h"
#include "render/mixed_text.h"
#include "base/state.h"
#include <gtest/gtest.h>

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);

struct MixedTextTest : ::testing::Test {
    Canvas canvas;
    void SetUp() override
    {
        ASSERT_TRUE(UseInstallerAtlas());
        ASSERT_FALSE(AtlasBits().empty());
        canvas = MakeCanvas(200, 40, WHITE);
    }
    void TearDown() override { FreeCanvas(canvas); }

    // Expects the 16x16 cell of code at (x, y): ink where the atlas has ink, else paper.
    void ExpectCell(unsigned code, int x, int y, COLORREF ink, COLORREF paper)
    {
        int cell[2], plane;
        GbkToGlyphCell(code, cell, &plane);
        int inked = 0;
        for (int dy = 0; dy < 16; dy++)
            for (int dx = 0; dx < 16; dx++) {
                bool isInk = AtlasInk(plane, cell[0] + dx, cell[1] + dy);
                inked += isInk;
                ASSERT_EQ(isInk ? ink : paper, Pixel(canvas, x + dx, y + dy))
                    << std::hex << code << std::dec << " at " << dx << "," << dy;
            }
        EXPECT_GT(inked, 0) << "the cell of " << std::hex << code << " is blank";
    }
};

TEST_F(MixedTextTest, DoubleByteCharactersAreTheirAtlasCells)
{
    DrawMixedText(canvas.dc, 5, 7, "中日", 0);
    ExpectCell(0xD6D0, 5, 7, BLACK, WHITE);
    ExpectCell(0xC8D5, 21, 7, BLACK, WHITE);
    EXPECT_EQ(WHITE, Pixel(canvas, 37, 10)) << "nothing drawn past the two cells";
}

TEST_F(MixedTextTest, InvertedGlyphsAreLightOnTheHighlight)
{
    const COLORREF highlight = RGB(10, 36, 106), text = RGB(200, 0, 255);
    RECT all = { 0, 0, canvas.width, canvas.height };
    HBRUSH fill = CreateSolidBrush(highlight);
    FillRect(canvas.dc, &all, fill);
    DeleteObject(fill);
    SetTextColor(canvas.dc, text);
    SetBkColor(canvas.dc, highlight);
    DrawMixedText(canvas.dc, 0, 0, "中", 1);
    ExpectCell(0xD6D0, 0, 0, text | highlight, highlight);
}

TEST_F(MixedTextTest, InvertedGlyphsVanishOnWhite)
{
    DrawMixedText(canvas.dc, 0, 0, "中", 1);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ASSERT_EQ(WHITE, Pixel(canvas, x, y));
}

TEST_F(MixedTextTest, SingleByteTextSitsOnePixelLower)
{
    Canvas plain = MakeCanvas(200, 40, WHITE);
    SetBkMode(plain.dc, TRANSPARENT);
    TextOutA(plain.dc, 3, 6, "Ab", 1);
    SIZE a;
    GetTextExtentPointA(plain.dc, "A", 1, &a);
    TextOutA(plain.dc, 3 + a.cx, 6, "b", 1);
    DrawMixedText(canvas.dc, 3, 5, "Ab", 0);
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 200; x++)
            ASSERT_EQ(Pixel(plain, x, y), Pixel(canvas, x, y)) << x << "," << y;
    FreeCanvas(plain);
}

TEST_F(MixedTextTest, IdeographicSpaceAndEmptyTextLeaveTheBackground)
{
    SetBkMode(canvas.dc, OPAQUE);
    SIZE empty = DrawMixedText(canvas.dc, 0, 0, "", 0);
    EXPECT_EQ(0, empty.cx);
    EXPECT_EQ(16, empty.cy);
    EXPECT_EQ(OPAQUE, GetBkMode(canvas.dc));

    SIZE space = DrawMixedText(canvas.dc, 0, 0, "\xA1\xA1", 0);
    EXPECT_EQ(16, space.cx);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ASSERT_EQ(WHITE, Pixel(canvas, x, y));
}

TEST_F(MixedTextTest, AdvancesAddUpToTheMeasuredWidth)
{
    const char *texts[] = { "下一步 Next", "同意/安装 Agree/Install", "Chinese(Simplified)  中文简体", "abc\xB0" };
    for (const char *text : texts) {
        SIZE measured = MeasureMixedText(canvas.dc, text);
        SIZE drawn = DrawMixedText(canvas.dc, 0, 0, text, 0);
        EXPECT_EQ(measured.cx, drawn.cx) << text;
        EXPECT_EQ(16, measured.cy);
    }
    SIZE next;
    GetTextExtentPointA(canvas.dc, " Next", 5, &next);
    SIZE measured = MeasureMixedText(canvas.dc, "下一步 Next");
    // Per-character extents can differ from a whole-string extent only by kerning.
    EXPECT_NEAR(48 + next.cx, measured.cx, 2);
}

TEST_F(MixedTextTest, LoneLeadByteTakesTheTerminatorAsTrail)
{
    SIZE size = DrawMixedText(canvas.dc, 0, 0, "\xD6", 0);
    EXPECT_EQ(16, size.cx);
    int cell[2], plane;
    GbkToGlyphCell(0xD600, cell, &plane);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ASSERT_EQ(AtlasInk(plane, cell[0] + x, cell[1] + y) ? BLACK : WHITE, Pixel(canvas, x, y));
}

TEST(CutAtCharBoundary, DropsOnlyALoneTrailingLeadByte)
{
    char whole[] = "下一步";
    CutAtCharBoundary(whole);
    EXPECT_STREQ("下一步", whole);
    char cut[] = "ab\xCF\xC2\xD2";
    CutAtCharBoundary(cut);
    EXPECT_STREQ("ab\xCF\xC2", cut);
}

TEST(TextOutGbk, ConvertsOnTheOldLineOnly)
{
    // Both paths must draw something for a GB2312 string in a Chinese-capable font;
    // the old-line path must draw nothing for text that overflows its wide buffer.
    Canvas canvas = MakeCanvas(400, 30, WHITE);
    int savedNt = g_ntPlatform;
    g_ntPlatform = 0;
    std::string tooLong(601, 'x');
    TextOutGbk(canvas.dc, 0, 0, tooLong.c_str(), (int)tooLong.size());
    int drawn = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 400; x++)
            drawn += Pixel(canvas, x, y) != WHITE;
    EXPECT_EQ(0, drawn);
    TextOutGbk(canvas.dc, 0, 0, "abc", 3);
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 400; x++)
            drawn += Pixel(canvas, x, y) != WHITE;
    EXPECT_GT(drawn, 0);
    g_ntPlatform = savedNt;
    FreeCanvas(canvas);
}

} // namespace
