// Every Chinese text the installer can show must be drawable from its glyph atlas:
// the literals compiled into the executable and the Chinese licence.
#include "canvas.h"
#include "render/glyph_cell.h"
#include "test_folder.h"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

bool CellHasInk(unsigned code)
{
    int cell[2], plane;
    GbkToGlyphCell(code, cell, &plane);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            if (AtlasInk(plane, cell[0] + x, cell[1] + y))
                return true;
    return false;
}

// The GBK characters of text that draw as blank cells (the ideographic space aside).
std::string BlankCharacters(const std::string &text)
{
    std::string blank;
    for (size_t i = 0; i + 1 < text.size(); i++) {
        unsigned char lead = (unsigned char)text[i];
        if (!(lead & 0x80))
            continue;
        unsigned code = (lead << 8) | (unsigned char)text[i + 1];
        if (code != 0xA1A1 && !CellHasInk(code))
            blank += text.substr(i, 2) + " ";
        i++;
    }
    return blank;
}

// NUL-delimited runs of printable ASCII and GB2312-shaped double-byte characters that
// read as text: two hanzi or more, or one beside a word of English.
std::vector<std::string> ChineseLiterals(const std::string &image)
{
    std::vector<std::string> found;
    size_t start = 0;
    for (size_t i = 0; i < image.size(); i++) {
        if (image[i] != '\0')
            continue;
        std::string run = image.substr(start, i - start);
        start = i + 1;
        int hanzi = 0, letters = 0;
        bool plausible = !run.empty(), spaced = false;
        for (size_t k = 0; plausible && k < run.size(); k++) {
            unsigned char c = (unsigned char)run[k];
            if (c >= 0x20 && c < 0x7F) {
                letters += isalpha(c) != 0;
                spaced = spaced || c == ' ';
                continue;
            }
            unsigned char trail = k + 1 < run.size() ? (unsigned char)run[k + 1] : 0;
            plausible = c >= 0xA1 && c <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
            hanzi += c >= 0xB0;
            k++;
        }
        if (plausible && (hanzi >= 2 || (hanzi == 1 && letters >= 2 && spaced)))
            found.push_back(run);
    }
    return found;
}

// This test program links every drawing and install routine of the installer, so its
// image holds their literals even before the installer itself uses all of them.
std::string OwnImage()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    return ReadText(path);
}

TEST(Literals, EveryCompiledChineseTextHasGlyphs)
{
    ASSERT_FALSE(AtlasBits().empty());
    std::vector<std::string> literals = ChineseLiterals(ReadText("PendrelSetup.exe"));
    std::vector<std::string> linked = ChineseLiterals(OwnImage());
    literals.insert(literals.end(), linked.begin(), linked.end());
    std::set<std::string> known(literals.begin(), literals.end());
    // The scan must see the program's own texts, or it proves nothing.
    for (const char *expected : { "下一步 Next", "取消 Cancel", "日出江花红胜火", "内存不够。安装无法继续。",
                                  "建立桌面图标？  (Place an icon on Desktop)", "是 Yes" })
        EXPECT_TRUE(known.count(expected)) << expected;
    for (const std::string &literal : literals)
        EXPECT_EQ("", BlankCharacters(literal)) << literal;
}

TEST(Literals, ChineseLicenceHasGlyphsAndShortLines)
{
    HRSRC found = FindResourceA(InstallerModule(), MAKEINTRESOURCEA(124), "TEXT");
    ASSERT_NE(nullptr, found);
    std::vector<unsigned char> text(65536);
    uLongf length = text.size() - 1;
    ASSERT_EQ(Z_OK, uncompress(text.data(), &length,
                               (const Bytef *)LockResource(LoadResource(InstallerModule(), found)),
                               SizeofResource(InstallerModule(), found)));
    std::string licence((const char *)text.data(), length);
    ASSERT_GE(licence.size(), 2u);
    EXPECT_EQ("\r\n", licence.substr(licence.size() - 2));
    size_t begin = 0;
    for (size_t end; (end = licence.find("\r\n", begin)) != std::string::npos; begin = end + 2)
        EXPECT_LE(end - begin, 50u) << licence.substr(begin, end - begin);
    EXPECT_EQ("", BlankCharacters(licence));
}

} // namespace
