// appcfg.ini and the licence texts: line layout, sizes and the characters they may use.
#include "payload/catalogue_host.h"
#include <gtest/gtest.h>
#include <iconv.h>
#include <set>
#include <string.h>

namespace {

// Splits on CR LF; fails the test on any CR or LF that is not part of a pair.
std::vector<std::string> CrLfLines(const Bytes &data)
{
    std::vector<std::string> lines;
    std::string text(data.begin(), data.end());
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
        std::string line = text.substr(start, at - start);
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << "bare CR or LF: " << line;
        lines.push_back(line);
    }
    EXPECT_EQ(text.size(), start) << "text after the last CR LF";
    return lines;
}

bool ValidGbk(const Bytes &data)
{
    iconv_t cd = iconv_open("UTF-8", "GBK");
    Bytes in = data, out(data.size() * 2 + 16);
    char *inPtr = (char *)in.data(), *outPtr = (char *)out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return rc != (size_t)-1 && inLeft == 0;
}

size_t Count(const std::string &text, const char *what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

Bytes MakeSettingsFile()
{
    for (const SampleSpec &sample : kSampleCatalogue) {
        if (sample.kind != SAMPLE_SETTINGS)
            continue;
        Bytes out;
        std::string error;
        EXPECT_TRUE(MakeSampleFile(sample, Bytes(), &out, &error)) << error;
        EXPECT_EQ(sample.bytes, out.size());
        return out;
    }
    ADD_FAILURE() << "no settings row in the catalogue";
    return Bytes();
}

}  // namespace

TEST(SampleSettings, EndsWithTheConfigSection)
{
    Bytes ini = MakeSettingsFile();
    static const char tail[] = "\r\n\r\n[Config]\r\nUseBmpFont=0\r\n\r\n";
    ASSERT_GT(ini.size(), sizeof tail);
    EXPECT_EQ(0, memcmp(&ini[ini.size() - (sizeof tail - 1)], tail, sizeof tail - 1));
    std::string text(ini.begin(), ini.end());
    EXPECT_EQ(1u, Count(text, "[Config]"));
    EXPECT_EQ(1u, Count(text, "UseBmpFont"));
    EXPECT_EQ(0u, Count(text, "ForceLanguage"));
    EXPECT_TRUE(ValidGbk(ini));
}

TEST(SampleSettings, UiStringTableHasDistinctEntriesAndOneLongLine)
{
    std::vector<std::string> lines = CrLfLines(MakeSettingsFile());
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ("[UI_STR]", lines[0]);

    std::set<std::string> keys;
    int longLines = 0;
    size_t i = 1;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        const std::string &line = lines[i];
        size_t equals = line.find('=');
        ASSERT_NE(std::string::npos, equals) << line;
        EXPECT_GT(equals, 0u) << line;
        EXPECT_LT(equals + 1, line.size()) << line;
        EXPECT_TRUE(keys.insert(line.substr(0, equals)).second) << "repeated key: " << line;
        if (line.size() == 260)
            ++longLines;
        else
            EXPECT_LT(line.size(), 200u) << line;
    }
    EXPECT_EQ(1, longLines);
    EXPECT_GE(keys.size(), 650u);
    EXPECT_LE(keys.size(), 720u);
    ASSERT_EQ(lines.size(), i + 4);     // blank, [Config], UseBmpFont=0, blank
}

TEST(SampleLicence, ChineseUsesOnlyDrawableCharactersOnShortLines)
{
    Bytes licence = MakeChineseLicence();
    ASSERT_FALSE(licence.empty());
    EXPECT_LT(licence.size(), 65536u);
    std::vector<std::string> lines = CrLfLines(licence);
    EXPECT_GE(lines.size(), 30u);
    EXPECT_LE(lines.size(), 60u);
    for (const std::string &line : lines)
        EXPECT_LE(line.size(), 50u) << line;

    for (size_t i = 0; i < licence.size(); ++i) {
        unsigned lead = licence[i];
        if (lead < 0x80)
            continue;
        ASSERT_LT(i + 1, licence.size());
        unsigned trail = licence[++i];
        unsigned code = lead << 8 | trail;
        EXPECT_TRUE(lead == 0xA1 || lead == 0xA3 || (lead >= 0xB0 && lead <= 0xF7))
            << std::hex << code;
        EXPECT_TRUE(trail >= 0xA1 && trail <= 0xFE) << std::hex << code;
        EXPECT_FALSE(code >= 0xD7FA && code <= 0xD7FE) << std::hex << code;
    }
    std::string text(licence.begin(), licence.end());
    EXPECT_NE(std::string::npos, text.find("Pendrel Writer"));
    EXPECT_NE(std::string::npos, text.find("Zelvo"));
}

// Wrapping keeps closing punctuation off line starts and opening punctuation off line ends.
TEST(SampleLicence, ChineseWrapKeepsPunctuationWithItsText)
{
    static const unsigned char closing[][2] = { { 0xA3, 0xAC }, { 0xA1, 0xA3 }, { 0xA1, 0xA2 } };
    static const unsigned char opening[][2] = { { 0xA1, 0xB0 }, { 0xA3, 0xA8 } };  // “ （
    for (const std::string &line : CrLfLines(MakeChineseLicence())) {
        if (line.size() < 2)
            continue;
        for (const auto &c : closing)
            EXPECT_FALSE((unsigned char)line[0] == c[0] && (unsigned char)line[1] == c[1]);
        size_t end = line.size() - 2;
        for (const auto &o : opening)
            EXPECT_FALSE((unsigned char)line[end] == o[0] && (unsigned char)line[end + 1] == o[1]);
        EXPECT_NE(' ', line.back());
    }
}

TEST(SampleLicence, EnglishIsShortAsciiLines)
{
    Bytes licence = MakeEnglishLicence();
    ASSERT_FALSE(licence.empty());
    EXPECT_LT(licence.size(), 65536u);
    std::vector<std::string> lines = CrLfLines(licence);
    EXPECT_GE(lines.size(), 30u);
    EXPECT_LE(lines.size(), 60u);
    for (const std::string &line : lines) {
        EXPECT_LE(line.size(), 70u) << line;
        for (unsigned char c : line)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
    }
}
