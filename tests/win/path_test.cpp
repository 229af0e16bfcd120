// Paths read by their characters in the code pages whose characters can end in 0x5C, the
// backslash: one table of GBK, Big5 and Shift-JIS names and ordinary ones, each path
// through every routine that looks at a path's characters.
#include "base/path.h"
#include "wizard/environment.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

// Where a path's last character and its last backslash start, read in one code page.
struct PathCase {
    UINT codePage;
    const char *path;
    int lastChar;
    int lastSeparator;
};

// Double-byte text as escapes, each with its characters in the comment: one file cannot
// hold literals of three code pages. Characters ending in 0x5C: GBK 誠 D5 5C; Big5 許 B3 5C
// and 功 A5 5C; Shift-JIS 表 95 5C and ソ 83 5C.
const PathCase kCases[] = {
    { 936, "C:\\\xC8\xED\xBC\xFE\\\xD5\x5C", 8, 7 },              // "C:\软件\誠"
    { 936, "C:\\\xC8\xED\xBC\xFE\\\xD5\x5C\\", 10, 10 },          // "C:\软件\誠\"
    { 936, "C:\\\xD5\x5C\\doc", 8, 5 },                           // "C:\誠\doc"
    { 936, "C:\\dl\\\xB0\xB2\xD7\xB0\xD5\x5C.exe", 15, 5 },       // "C:\dl\安装誠.exe"
    { 936, "\xD5\x5C", 0, -1 },                                   // "誠"
    { 936, "\xD5\x5C\xD5\x5C\\", 4, 4 },                          // "誠誠\"
    { 936, "C:\\\xD5", 3, 2 },                                    // a lead byte with nothing after it
    { 936, "D:\\A\\B.EXE", 9, 4 },
    { 936, "C:\\SETUP.EXE", 11, 2 },
    { 936, "C:\\", 2, 2 },
    { 936, "C:", 1, -1 },
    { 936, "SETUP.EXE", 8, -1 },
    { 936, "", -1, -1 },
    { 950, "C:\\\xB3\x5C", 3, 2 },                                // "C:\許"
    { 950, "D:\\\xA5\x5C\\\xB3\x5C\\", 8, 8 },                    // "D:\功\許\"
    { 950, "C:\\dl\\\xA6\x77\xB8\xCB\xB3\x5C.exe", 15, 5 },       // "C:\dl\安裝許.exe"
    { 950, "C:\\Pendrel", 9, 2 },
    { 932, "C:\\\x95\x5C", 3, 2 },                                // "C:\表"
    { 932, "C:\\\x83\x5C\x83\x74\x83\x67\\", 9, 9 },              // "C:\ソフト\"
    // Half-width katakana are single bytes: ｿ BF, and GBK's 誠 read as Shift-JIS is ﾕ and "\".
    { 932, "C:\\\xBF\\", 4, 4 },
    { 932, "C:\\\xD5\x5C", 4, 4 },
    // In a single-byte code page every 0x5C is a backslash.
    { 1252, "C:\\\xD5\x5C", 4, 4 },
};

std::string Hex(const char *bytes)
{
    std::string out;
    for (const unsigned char *p = (const unsigned char *)bytes; *p; p++) {
        char byte[4];
        snprintf(byte, sizeof byte, "%02X ", *p);
        out += byte;
    }
    return out;
}

TEST(PathCharacters, EveryRoutineReadsTheLastCharacterNotTheLastByte)
{
    // The table means nothing where the system lacks a code page's tables.
    for (UINT codePage : { 932u, 936u, 950u }) {
        CPINFO info;
        ASSERT_TRUE(GetCPInfo(codePage, &info)) << "code page " << codePage << " is not installed";
        ASSERT_EQ(2u, info.MaxCharSize) << "code page " << codePage;
    }
    for (const PathCase &c : kCases) {
        std::string path = c.path;
        int ends = c.lastSeparator >= 0 && c.lastSeparator == c.lastChar;
        SCOPED_TRACE("code page " + std::to_string(c.codePage) + ", bytes " + Hex(c.path));

        EXPECT_EQ(c.lastChar, LastCharAt(c.path, c.codePage));
        EXPECT_EQ(c.lastSeparator, LastSeparatorAt(c.path, c.codePage));
        EXPECT_EQ(ends, EndsWithSeparator(c.path, c.codePage));
        EXPECT_STREQ(ends ? "" : "\\", SeparatorFor(c.path, c.codePage));

        char removed[MAX_PATH];
        strcpy(removed, c.path);
        RemoveTrailingSeparator(removed, c.codePage);
        EXPECT_EQ(ends ? path.substr(0, path.size() - 1) : path, removed);

        char folder[MAX_PATH];
        WizardFolderFromModulePath(c.path, c.codePage, folder);
        EXPECT_EQ(c.lastSeparator >= 0 ? path.substr(0, c.lastSeparator + 1) : "A:\\", folder);
    }
}

// The free-space call of the 95 line wants a volume's root: a share whose name ends in a
// 0x5C trail byte stays whole.
TEST(PathCharacters, VolumeRootOfDrivesAndShares)
{
    const struct { UINT codePage; const char *path; const char *root; } cases[] = {
        { 936, "C:\\Pendrel", "C:\\" },
        { 936, "r:", "r:\\" },
        { 936, "\\\\server\\share\\Pendrel", "\\\\server\\share\\" },
        { 936, "\\\\server\\share", "\\\\server\\share\\" },
        { 936, "\\\\server\\\xD5\x5C\\doc", "\\\\server\\\xD5\x5C\\" },     // "\\server\誠\doc"
        { 950, "\\\\\xB3\x5C\\\xA5\x5C", "\\\\\xB3\x5C\\\xA5\x5C\\" },         // "\\許\功"
        { 936, "\\\\server", "" },
        { 936, "Pendrel", "" },
    };
    for (const auto &c : cases) {
        char root[MAX_PATH];
        EXPECT_EQ(c.root[0] ? 1 : 0, VolumeRoot(c.path, root, c.codePage)) << Hex(c.path);
        EXPECT_STREQ(c.root, root) << Hex(c.path);
    }
}

} // namespace
