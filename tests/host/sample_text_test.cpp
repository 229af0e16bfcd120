// Sample text files, help pages and code tables: valid in their encoding to the last byte.
#include "payload/catalogue_host.h"
#include <gtest/gtest.h>
#include <iconv.h>
#include <string.h>

namespace {

// Converts all of data; false if iconv stops early on a bad or cut-off character.
bool Convert(const char *to, const char *from, const Bytes &data, Bytes *out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1)
        return false;
    Bytes in = data;
    out->assign(in.size() * 4 + 16, 0);
    char *inPtr = (char *)in.data(), *outPtr = (char *)out->data();
    size_t inLeft = in.size(), outLeft = out->size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out->resize(out->size() - outLeft);
    return rc != (size_t)-1 && inLeft == 0;
}

bool RoundTrips(const char *charset, const Bytes &data)
{
    Bytes utf8, back;
    return Convert("UTF-8", charset, data, &utf8) && Convert(charset, "UTF-8", utf8, &back) &&
           back == data;
}

bool LinesEndCrLf(const Bytes &data)
{
    for (size_t i = 0; i < data.size(); ++i) {
        bool cr = data[i] == '\r', lf = data[i] == '\n';
        if (cr && (i + 1 == data.size() || data[i + 1] != '\n'))
            return false;
        if (lf && (i == 0 || data[i - 1] != '\r'))
            return false;
    }
    return data.size() >= 2 && data[data.size() - 2] == '\r' && data.back() == '\n';
}

bool HasDoubleByte(const Bytes &data)
{
    for (unsigned char c : data)
        if (c >= 0x80)
            return true;
    return false;
}

bool EndsWith(const Bytes &data, const char *tail)
{
    size_t n = strlen(tail);
    return data.size() >= n && memcmp(&data[data.size() - n], tail, n) == 0;
}

// Every "<!--" closed by "-->" before the next one opens, and no stray "-->".
bool CommentsBalanced(const Bytes &page)
{
    std::string text(page.begin(), page.end());
    size_t at = 0;
    for (;;) {
        size_t open = text.find("<!--", at), close = text.find("-->", at);
        if (open == std::string::npos)
            return close == std::string::npos;
        size_t end = text.find("-->", open + 4);
        if (close < open || end == std::string::npos)
            return false;
        at = end + 3;
    }
}

Bytes Make(const SampleSpec &sample)
{
    Bytes out;
    std::string error;
    EXPECT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
    EXPECT_EQ(sample.bytes, out.size());
    return out;
}

}  // namespace

TEST(SampleText, GbkFilesAreValidGbkWithCrLfLines)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_GBK_TEXT && sample.kind != SAMPLE_GBK_TABLE)
            continue;
        SCOPED_TRACE(sample.file);
        Bytes text = Make(sample);
        EXPECT_TRUE(RoundTrips("GBK", text));
        EXPECT_TRUE(LinesEndCrLf(text));
        EXPECT_TRUE(HasDoubleByte(text));
    }
}

TEST(SampleText, AsciiHintsArePlainAscii)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_ASCII_TEXT)
            continue;
        Bytes text = Make(sample);
        EXPECT_FALSE(HasDoubleByte(text)) << sample.file;
        EXPECT_TRUE(LinesEndCrLf(text)) << sample.file;
    }
}

// Each size lands the padding differently; none may split a character or a CR LF.
TEST(SampleText, AnySizeIsFilledWithoutCuttingCharacters)
{
    const char *files[] = { "hints.txt", "strokecode.bin", "charfreq.txt", "quickpick.dic" };
    for (const char *file : files) {
        for (unsigned bytes = 2; bytes < 160; ++bytes) {
            SampleSpec sample = { 0, 143, file, SAMPLE_GBK_TEXT, 0, 0, 0, bytes };
            SCOPED_TRACE(std::string(file) + " " + std::to_string(bytes));
            Bytes text = Make(sample);
            ASSERT_TRUE(RoundTrips("GBK", text));
            ASSERT_TRUE(LinesEndCrLf(text));
        }
    }
    for (unsigned bytes = 2; bytes < 100; ++bytes) {
        SampleSpec sample = { 0, 131, "charlist.dic", SAMPLE_GBK_TABLE, 0, 0, 0, bytes };
        Bytes text = Make(sample);
        ASSERT_TRUE(RoundTrips("GBK", text) && LinesEndCrLf(text)) << bytes;
    }
}

TEST(SampleText, HtmlPagesDeclareTheirCharsetAndStayWellFormed)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_HTML_GB && sample.kind != SAMPLE_HTML_BIG5)
            continue;
        SCOPED_TRACE(sample.file);
        bool big5 = sample.kind == SAMPLE_HTML_BIG5;
        bool english = strstr(sample.file, "_en") != NULL;
        Bytes page = Make(sample);
        std::string text(page.begin(), page.end());
        EXPECT_NE(std::string::npos,
                  text.find(big5 ? "content=\"text/html; charset=big5\""
                                 : "content=\"text/html; charset=gb2312\""));
        EXPECT_EQ(0u, text.find("<html>"));
        EXPECT_NE(std::string::npos, text.find("<title>"));
        EXPECT_TRUE(EndsWith(page, "</body>\r\n</html>\r\n"));
        EXPECT_EQ(text.find("</body>"), text.rfind("</body>"));
        EXPECT_TRUE(RoundTrips(big5 ? "BIG5" : "GBK", page));
        EXPECT_EQ(!english, HasDoubleByte(page));
        EXPECT_TRUE(CommentsBalanced(page));
    }
}

TEST(SampleText, HtmlPagesOfEverySizeNearTheirBodyEnd)
{
    std::string error;
    for (unsigned bytes = 400; bytes < 700; ++bytes) {
        SampleSpec big5 = { 0, 300, "hotkeys_tc.htm", SAMPLE_HTML_BIG5, 0, 0, 0, bytes };
        Bytes page = Make(big5);
        ASSERT_TRUE(RoundTrips("BIG5", page)) << bytes;
        ASSERT_TRUE(EndsWith(page, "</html>\r\n")) << bytes;
        ASSERT_TRUE(CommentsBalanced(page)) << bytes;
    }
    SampleSpec tooSmall = { 0, 184, "hotkeys.htm", SAMPLE_HTML_GB, 0, 0, 0, 100 };
    Bytes out;
    EXPECT_FALSE(MakeSampleFile(tooSmall, Bytes(), &out, &error));
}

// Each entry's target code must be what iconv makes of its source code.
TEST(SampleText, CodeTablesHoldConvertingPairsInOrder)
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_GB_BIG5_TABLE && sample.kind != SAMPLE_BIG5_GB_TABLE)
            continue;
        SCOPED_TRACE(sample.file);
        bool gbToBig5 = sample.kind == SAMPLE_GB_BIG5_TABLE;
        const char *from = gbToBig5 ? "GBK" : "BIG5";
        const char *to = gbToBig5 ? "BIG5" : "GBK";
        Bytes table = Make(sample);
        EXPECT_EQ(0, memcmp(table.data(), gbToBig5 ? "GB5T" : "B5GT", 4));
        uint32_t count = table[4] | table[5] << 8 | table[6] << 16 | (uint32_t)table[7] << 24;
        ASSERT_LE(8 + 4 * (size_t)count, table.size());
        EXPECT_GT(8 + 4 * (size_t)count, table.size() - 4);    // filled, not padded
        unsigned previous = 0;
        for (uint32_t i = 0; i < count; ++i) {
            const unsigned char *e = &table[8 + 4 * i];
            unsigned source = e[0] << 8 | e[1];
            ASSERT_GT(source, previous);
            previous = source;
            Bytes converted;
            ASSERT_TRUE(Convert(to, from, Bytes(e, e + 2), &converted)) << source;
            ASSERT_EQ(Bytes(e + 2, e + 4), converted) << source;
        }
    }
}
