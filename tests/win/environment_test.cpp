// Start-up's view of the system, and bounded path formatting.
#include "base/path.h"
#include "wizard/environment.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ChineseVariant, FollowsSubLanguageOnlyOnDoubleByteCodePages)
{
    EXPECT_EQ(2, ChineseVariantFromLanguage(0x0404, 1));   // Taiwan
    EXPECT_EQ(1, ChineseVariantFromLanguage(0x0804, 1));   // PRC
    EXPECT_EQ(2, ChineseVariantFromLanguage(0x0C04, 1));   // Hong Kong
    EXPECT_EQ(1, ChineseVariantFromLanguage(0x1004, 1));   // Singapore
    EXPECT_EQ(2, ChineseVariantFromLanguage(0x1404, 1));   // Macau
    EXPECT_EQ(0, ChineseVariantFromLanguage(0x0804, 0));
    EXPECT_EQ(0, ChineseVariantFromLanguage(0x0411, 1));   // Japanese
    EXPECT_EQ(0, ChineseVariantFromLanguage(0x0409, 0));
}

TEST(FormatPath, RefusesWhatDoesNotFitAndLeavesNoPrefix)
{
    char path[MAX_PATH];
    std::string folder(MAX_PATH - 6, 'f');
    EXPECT_EQ(1, FormatPath(path, "%s\\%s", folder.c_str(), "abcd"));   // 259 characters
    EXPECT_EQ(MAX_PATH - 1, (int)strlen(path));
    EXPECT_EQ(0, FormatPath(path, "%s\\%s", folder.c_str(), "abcde"));
    EXPECT_STREQ("", path);
}

} // namespace
