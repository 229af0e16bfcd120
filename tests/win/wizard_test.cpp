// The wizard's arithmetic and text handling: message-box layout, licence lines.
#include "render/glyph_atlas.h"
#include "wizard/main_dialog.h"
#include "base/state.h"
#include "msgbox/message_layout.h"
#include <gtest/gtest.h>
#include <string>

namespace {

MessageMetrics Metrics(int style, int chineseWidth, int chineseBytes, SIZE english)
{
    MessageMetrics m = {};
    m.chinese = { chineseWidth, 16 };
    m.english = english;
    m.chineseBytes = chineseBytes;
    m.buttonWidth = 110;
    m.buttonHeight = 27;
    m.style = style;
    m.frameWidth = 3;
    m.captionHeight = 18;
    m.screenWidth = 1024;
    m.screenHeight = 768;
    return m;
}

TEST(MessageLayout, SingleOkButtonIsCentredInTheContentWidth)
{
    MessageMetrics m = Metrics(0, 400, 40, { 300, 13 });
    MessageLayout out;
    LayoutMessageBox(&m, &out);
    int w = 400 + 6 + 54, h = 3 * (16 + 27) + 26;
    EXPECT_EQ((1024 - w) / 2, out.window.left);
    EXPECT_EQ((768 - h) / 2, out.window.top);
    EXPECT_EQ(w, out.window.right);
    EXPECT_EQ(h + 18, out.window.bottom);
    EXPECT_EQ(0, out.pair);
    EXPECT_EQ((w - 110) / 2, out.first.x);
    EXPECT_EQ(h - 54, out.first.y);
}

TEST(MessageLayout, ExtraWidthOnlyBelow81Bytes)
{
    MessageLayout at80, at81;
    MessageMetrics m80 = Metrics(0, 500, 80, { 0, 0 });
    MessageMetrics m81 = Metrics(0, 500, 81, { 0, 0 });
    LayoutMessageBox(&m80, &at80);
    LayoutMessageBox(&m81, &at81);
    EXPECT_EQ(500 + 6 + 54, at80.window.right);
    EXPECT_EQ(500 + 6, at81.window.right);
    EXPECT_EQ(3 * (16 + 27) + 18, at81.window.bottom) << "no English line, no English height";
}

TEST(MessageLayout, PairsAndTheMinimumWidth)
{
    for (int style : { 4, 1 }) {
        MessageMetrics m = Metrics(style, 50, 6, { 40, 13 });
        MessageLayout out;
        LayoutMessageBox(&m, &out);
        int w = 50 + 6 + 54, h = 3 * (16 + 27) + 26;
        EXPECT_EQ(1, out.pair);
        EXPECT_EQ(330, out.window.right) << "widened to three buttons";
        EXPECT_EQ((1024 - w) / 2, out.window.left) << "but still placed by the content width";
        EXPECT_EQ((w - (7 * 110) / 3) / 2, out.first.x);
        EXPECT_EQ(out.first.x + (4 * 110) / 3, out.second.x);
        EXPECT_EQ(h - (3 * 27) / 2, out.first.y);
        EXPECT_EQ(out.first.y, out.second.y);
    }
    MessageMetrics ok = Metrics(0, 50, 6, { 0, 0 });
    MessageLayout out;
    LayoutMessageBox(&ok, &out);
    EXPECT_EQ(220, out.window.right);
}

struct LicenceLinesTest : ::testing::Test {
    HWND list;
    void SetUp() override
    {
        list = CreateWindowA("LISTBOX", "", WS_POPUP | LBS_HASSTRINGS, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
        ASSERT_NE(nullptr, list);
    }
    void TearDown() override { DestroyWindow(list); }
    std::string Line(int i)
    {
        char text[300] = "";
        SendMessageA(list, LB_GETTEXT, i, (LPARAM)text);
        return text;
    }
};

TEST_F(LicenceLinesTest, LinesEndAtCarriageReturns)
{
    std::string text = "第一行\r\n\r\nthird\rfourth\r\nno end";
    EXPECT_EQ(4, AddLicenceLines(list, &text[0]));
    EXPECT_EQ(4, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("第一行", Line(0));
    EXPECT_EQ("", Line(1));
    EXPECT_EQ("third", Line(2));
    EXPECT_EQ("fourth", Line(3));
}

TEST_F(LicenceLinesTest, AtMost500Lines)
{
    std::string text;
    for (int i = 0; i < 600; i++)
        text += "line " + std::to_string(i) + "\r\n";
    EXPECT_EQ(500, AddLicenceLines(list, &text[0]));
    EXPECT_EQ("line 499", Line(499));
}

} // namespace

namespace {

TEST(GlyphAtlas, MissingAtlasIsReportedAsBadData)
{
    // This test program carries no item 110: start-up must end with exit code 1.
    HINSTANCE saved = g_hInstance;
    g_hInstance = GetModuleHandleA(NULL);
    EXPECT_EQ(ATLAS_BAD_DATA, LoadGlyphAtlas());
    g_hInstance = saved;
}

} // namespace
