// Owner-drawn buttons, labels, list items and check boxes, checked pixel by pixel.
#include "canvas.h"
#include "render/glyph_cell.h"
#include "render/owner_draw.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const COLORREF WHITE = RGB(255, 255, 255);

struct OwnerDrawTest : ::testing::Test {
    Canvas canvas;
    COLORREF face, light, dark;
    void SetUp() override
    {
        ASSERT_TRUE(UseInstallerAtlas());
        canvas = MakeCanvas(106, 26, WHITE);
        face = GetSysColor(COLOR_BTNFACE);
        light = GetSysColor(COLOR_BTNHIGHLIGHT);
        dark = GetSysColor(COLOR_BTNSHADOW);
        g_wizardPage = 0;
    }
    void TearDown() override { FreeCanvas(canvas); }

    void Draw(int id, UINT action, UINT state)
    {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = id;
        item.itemAction = action;
        item.itemState = state;
        item.hDC = canvas.dc;
        item.rcItem = { 0, 0, canvas.width, canvas.height };
        DrawOwnerItem(&item, NULL);
    }
    int ChangedPixels(COLORREF from)
    {
        int changed = 0;
        for (int y = 0; y < canvas.height; y++)
            for (int x = 0; x < canvas.width; x++)
                changed += Pixel(canvas, x, y) != from;
        return changed;
    }
};

// Edges probed at mid-length, away from the caption: rings 1 and 2 and the outer edge.
struct Edges {
    COLORREF left1, left2, top1, top2, right1, right2, bottom1, bottom2, outerRight, outerBottom,
        outerLeft, outerTop;
};

Edges Probe(const Canvas &c)
{
    return { Pixel(c, 1, 13), Pixel(c, 2, 13), Pixel(c, 13, 1), Pixel(c, 13, 2),
             Pixel(c, 104, 13), Pixel(c, 103, 13), Pixel(c, 13, 24), Pixel(c, 13, 23),
             Pixel(c, 105, 13), Pixel(c, 13, 25), Pixel(c, 0, 13), Pixel(c, 13, 0) };
}

TEST_F(OwnerDrawTest, FramedButtonRings)
{
    Draw(3, ODA_DRAWENTIRE, 0);
    Edges e = Probe(canvas);
    EXPECT_EQ(light, e.left1);
    EXPECT_EQ(light, e.left2);
    EXPECT_EQ(light, e.top1);
    EXPECT_EQ(light, e.top2);
    EXPECT_EQ(dark, e.right1);
    EXPECT_EQ(dark, e.right2);
    EXPECT_EQ(dark, e.bottom1);
    EXPECT_EQ(dark, e.bottom2);
    EXPECT_EQ(dark, e.outerRight);
    EXPECT_EQ(dark, e.outerBottom);
    EXPECT_EQ(face, e.outerLeft);
    EXPECT_EQ(face, e.outerTop);
    // Line ends are not painted: the top ring stops short of the right ring.
    EXPECT_EQ(light, Pixel(canvas, 103, 1));
    EXPECT_EQ(dark, Pixel(canvas, 104, 1));
    EXPECT_EQ(face, Pixel(canvas, 0, 0));
}

TEST_F(OwnerDrawTest, PressedButtonSwapsEdgesAndShiftsCaption)
{
    Draw(3, ODA_SELECT, ODS_SELECTED);
    Edges e = Probe(canvas);
    EXPECT_EQ(dark, e.left1);
    EXPECT_EQ(dark, e.top2);
    EXPECT_EQ(light, e.right1);
    EXPECT_EQ(light, e.bottom2);
    EXPECT_EQ(light, e.outerRight);
    EXPECT_EQ(light, e.outerBottom);

    Canvas normal = MakeCanvas(106, 26, WHITE);
    std::swap(normal, canvas);
    Draw(3, ODA_DRAWENTIRE, 0);
    std::swap(normal, canvas);
    // The caption moved 2 right and 1 down: compare an inner window of both.
    for (int y = 6; y < 20; y++)
        for (int x = 10; x < 90; x++)
            ASSERT_EQ(Pixel(normal, x, y), Pixel(canvas, x + 2, y + 1)) << x << "," << y;
    FreeCanvas(normal);
}

TEST_F(OwnerDrawTest, DefaultButtonHasABlackOutline)
{
    Draw(1001, ODA_DRAWENTIRE, 0);
    const COLORREF black = RGB(0, 0, 0);
    Edges e = Probe(canvas);
    EXPECT_EQ(black, e.outerLeft);
    EXPECT_EQ(black, e.outerTop);
    EXPECT_EQ(black, e.outerRight);
    EXPECT_EQ(black, e.outerBottom);
    EXPECT_EQ(black, e.right1);
    EXPECT_EQ(black, e.bottom1);
    EXPECT_EQ(light, e.left1);
    EXPECT_EQ(light, e.top1);
    EXPECT_EQ(dark, e.right2);
    EXPECT_EQ(dark, e.bottom2);
    EXPECT_EQ(black, Pixel(canvas, 0, 0));
    EXPECT_EQ(black, Pixel(canvas, 105, 25));
}

TEST_F(OwnerDrawTest, FocusRectangleAloneForFocusAction)
{
    Draw(1001, ODA_FOCUS, 0);
    EXPECT_EQ(0, ChangedPixels(WHITE));

    Draw(1001, ODA_FOCUS, ODS_FOCUS);
    int left = canvas.width, top = canvas.height, right = -1, bottom = -1;
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++)
            if (Pixel(canvas, x, y) != WHITE) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    EXPECT_EQ(10, left);
    EXPECT_EQ(3, top);
    EXPECT_EQ(96, right);
    EXPECT_EQ(23, bottom);
}

TEST_F(OwnerDrawTest, EmptyLabelsPaintNothingOrPlainFace)
{
    Draw(1020, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(0, ChangedPixels(WHITE));
    Draw(1021, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(0, ChangedPixels(face));
}

TEST_F(OwnerDrawTest, NextCaptionFollowsThePage)
{
    char buffer[128];
    g_wizardPage = 2;
    EXPECT_STREQ("下一步 Next", OwnerCaption(NULL, 1001, buffer));
    g_wizardPage = 3;
    EXPECT_STREQ("同意/安装 Agree/Install", OwnerCaption(NULL, 1001, buffer));
    g_wizardPage = 99;
    EXPECT_STREQ("同意/安装 Agree/Install", OwnerCaption(NULL, 1001, buffer));
}

TEST_F(OwnerDrawTest, WindowTextCaptionIsCutAtACharacterBoundary)
{
    HWND label = CreateWindowA("BUTTON", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, label);
    std::string text;
    for (int i = 0; i < 50; i++)
        text += "中";
    SetWindowTextA(label, text.c_str());
    char buffer[128];
    const char *caption = OwnerCaption(label, 1013, buffer);
    EXPECT_EQ(78u, strlen(caption)) << "79 bytes would end in a lone lead byte";
    DestroyWindow(label);
}

TEST(CheckBoxGeometry, BoxAndCaptionByHeightAndType)
{
    struct { int height, type; RECT box; int tx; UINT state; } cases[] = {
        { 16, BS_AUTOCHECKBOX, { 1, 2, 11, 10 }, 21, DFCS_BUTTONCHECK },
        { 20, BS_AUTOCHECKBOX, { 1, 3, 13, 13 }, 25, DFCS_BUTTONCHECK },
        { 26, BS_CHECKBOX, { 2, 4, 17, 18 }, 32, DFCS_BUTTONCHECK },
        { 20, BS_AUTORADIOBUTTON, { -1, 1, 16, 18 }, 33, DFCS_BUTTONRADIO },
        { 26, BS_RADIOBUTTON, { -1, 1, 20, 24 }, 41, DFCS_BUTTONRADIO },
        { 20, BS_AUTO3STATE, { -1, 1, 16, 18 }, 33, DFCS_BUTTONCHECK },
    };
    for (const auto &c : cases) {
        RECT box;
        int tx;
        UINT state = CheckBoxGeometry(c.height, c.type, &box, &tx);
        EXPECT_EQ(c.box.left, box.left) << c.height << "/" << c.type;
        EXPECT_EQ(c.box.top, box.top) << c.height << "/" << c.type;
        EXPECT_EQ(c.box.right, box.right) << c.height << "/" << c.type;
        EXPECT_EQ(c.box.bottom, box.bottom) << c.height << "/" << c.type;
        EXPECT_EQ(c.tx, tx) << c.height << "/" << c.type;
        EXPECT_EQ(c.state, state) << c.height << "/" << c.type;
    }
}

struct ComboTest : ::testing::Test {
    HWND parent, combo;
    Canvas canvas;
    void SetUp() override
    {
        ASSERT_TRUE(UseInstallerAtlas());
        parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
        combo = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                              0, 0, 250, 100, parent, (HMENU)1031, NULL, NULL);
        ASSERT_NE(nullptr, combo);
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)"中文简体");
        canvas = MakeCanvas(250, 23, WHITE);
    }
    void TearDown() override
    {
        FreeCanvas(canvas);
        DestroyWindow(parent);
    }
    void Draw(int index, UINT state)
    {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = 1031;
        item.itemID = (UINT)index;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hDC = canvas.dc;
        item.rcItem = { 0, 0, canvas.width, canvas.height };
        DrawListItem(1031, 1, &item, parent);
    }
    void ExpectZhong(COLORREF ink, COLORREF paper)
    {
        int cell[2], plane;
        GbkToGlyphCell(0xD6D0, cell, &plane);
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                ASSERT_EQ(AtlasInk(plane, cell[0] + x, cell[1] + y) ? ink : paper, Pixel(canvas, 2 + x, 2 + y));
    }
};

TEST_F(ComboTest, SelectedItemIsLightOnTheHighlight)
{
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    Draw(0, ODS_SELECTED);
    ExpectZhong(GetSysColor(COLOR_HIGHLIGHTTEXT) | highlight, highlight);
    EXPECT_EQ(highlight, Pixel(canvas, 249, 22));
}

TEST_F(ComboTest, UnselectedItemIsDarkOnTheWindowColour)
{
    COLORREF window = GetSysColor(COLOR_WINDOW);
    Draw(0, 0);
    ExpectZhong(GetSysColor(COLOR_WINDOWTEXT) & window, window);
}

TEST_F(ComboTest, NoItemDrawsOnlyTheBackground)
{
    Draw(-1, 0);
    for (int x = 0; x < canvas.width; x++)
        ASSERT_EQ(GetSysColor(COLOR_WINDOW), Pixel(canvas, x, 10));
}

TEST_F(ComboTest, OverlongItemIsCutNotOverrun)
{
    std::string text;
    for (int i = 0; i < 200; i++)
        text += "中";
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text.c_str());
    Draw(1, 0);
    ExpectZhong(GetSysColor(COLOR_WINDOWTEXT) & GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
}

} // namespace
