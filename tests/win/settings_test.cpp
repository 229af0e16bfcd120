// appcfg.ini update: in-place values, appended entries, long-line pieces, short lines, attributes.
#include "install/settings.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const DWORD RO_HIDDEN = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
const std::string X242(242, 'x'), X244(244, 'x'), X250(250, 'x'), X255(255, 'x'), Y241(241, 'y');

// Bytes before and after one update with UseBmpFont '1' (display not confirmed) and
// ForceLanguage 2, unless the case says otherwise.
struct Case {
    const char *name;
    std::string before, after;
};

struct SettingsTest : ::testing::Test {
    std::string folder, file;
    void SetUp() override
    {
        folder = MakeTestFolder();
        file = folder + "\\appcfg.ini";
        UseInstallFolder(folder);
    }
    void TearDown() override { RemoveTree(folder); }
    std::string Update(const std::string &before, int displayOk, int language, DWORD attributes = 0)
    {
        WriteText(file, before, attributes);
        g_displayOk = displayOk;
        g_interfaceLanguage = language;
        EXPECT_EQ(1, UpdateSettingsFile());
        return ReadText(file);
    }
    void Check(const std::vector<Case> &cases)
    {
        for (const Case &c : cases)
            EXPECT_EQ(c.after, Update(c.before, 0, 2)) << c.name;
    }
};

TEST_F(SettingsTest, ShippedShapeGetsValueInPlaceAndLanguageAppended)
{
    const std::string head = "[UI_STR]\r\nA=B\r\n" + std::string(258, 'w') + "\r\n\r\n[Config]\r\n";
    for (int displayOk = 0; displayOk <= 1; displayOk++) {
        for (int language = 0; language <= 2; language++) {
            std::string expected = head + "UseBmpFont=" + char('1' - displayOk) +
                                   "\r\n\r\n\r\nForceLanguage=" + char('0' + language) + "\r\n";
            EXPECT_EQ(expected, Update(head + "UseBmpFont=0\r\n\r\n", displayOk, language, RO_HIDDEN))
                << "displayOk " << displayOk << " language " << language;
            EXPECT_EQ(RO_HIDDEN, Attributes(file) & RO_HIDDEN);
        }
    }
}

TEST_F(SettingsTest, ExistingOneCharacterValuesAreOverwrittenInPlace)
{
    Check({
        {"both keys, length kept", "[Config]\r\nUseBmpFont=0\r\nForceLanguage=0\r\nT=x\r\n",
         "[Config]\r\nUseBmpFont=1\r\nForceLanguage=2\r\nT=x\r\n"},
        {"repeat before the other key", "[Config]\r\nUseBmpFont=0\r\nUseBmpFont=0\r\nForceLanguage=0\r\n",
         "[Config]\r\nUseBmpFont=1\r\nUseBmpFont=1\r\nForceLanguage=2\r\n"},
        {"last line without line end", "[Config]\r\nUseBmpFont=0",
         "[Config]\r\nUseBmpFont=1\r\nForceLanguage=2\r\n"},
        {"lines ending in LF alone", "[UI]\nA=B\n[Config]\nUseBmpFont=0\nForceLanguage=0\nZ=1\n",
         "[UI]\nA=B\n[Config]\nUseBmpFont=1\nForceLanguage=2\nZ=1\n"},
        {"keys before the section", "UseBmpFont=0\r\nForceLanguage=0\r\n[Config]\r\nX=1\r\n\r\n",
         "UseBmpFont=1\r\nForceLanguage=2\r\n[Config]\r\nX=1\r\n\r\n"},
        {"text before the keys", "[Config]UseBmpFont=0\r\n; x ForceLanguage=0\r\n",
         "[Config]UseBmpFont=1\r\n; x ForceLanguage=2\r\n"},
    });
}

TEST_F(SettingsTest, MissingPartsAreAppendedAtTheEnd)
{
    Check({
        {"empty file", "", "\r\n\r\n[Config]\r\n\r\n\r\nUseBmpFont=1\r\n\r\nForceLanguage=2\r\n"},
        {"no section, no keys", "[UI_STR]\r\nOpen=Dakai\r\nNo line end",
         "[UI_STR]\r\nOpen=Dakai\r\nNo line end\r\n\r\n[Config]\r\n\r\n\r\nUseBmpFont=1\r\n\r\nForceLanguage=2\r\n"},
        {"lower-case key", "[Config]\r\nusebmpfont=0\r\nForceLanguage=0\r\n",
         "[Config]\r\nusebmpfont=0\r\nForceLanguage=2\r\n\r\nUseBmpFont=1\r\n"},
    });
}

TEST_F(SettingsTest, LongLinesAreExaminedIn255CharacterPiecesAndUpdatedWhole)
{
    Check({
        {"key across the boundary", "[Config]\r\n" + X250 + "UseBmpFont=0\r\nForceLanguage=0\r\n",
         "[Config]\r\n" + X250 + "UseBmpFont=0\r\nForceLanguage=2\r\n\r\nUseBmpFont=1\r\n"},
        {"key inside the second piece", "[Config]\r\n" + X255 + "zzUseBmpFont=0" + Y241 + "\r\nForceLanguage=0\r\n",
         "[Config]\r\n" + X255 + "zzUseBmpFont=1" + std::string(241, ' ') + "\r\nForceLanguage=2\r\n"},
        {"value in the next piece", "[Config]\r\n" + X244 + "UseBmpFont=12\r\nForceLanguage=0\r\n",
         "[Config]\r\n" + X244 + "UseBmpFont=1 \r\nForceLanguage=2\r\n"},
        {"255 characters, longer value", "[Config]\r\n" + X242 + "UseBmpFont=12\r\nForceLanguage=0\r\n",
         "[Config]\r\n" + X242 + "UseBmpFont=1 \r\nForceLanguage=2\r\n"},
        {"255 characters, empty value", "[Config]\r\n" + X244 + "UseBmpFont=\r\nForceLanguage=0\r\n",
         "[Config]\r\n" + X244 + "UseBmpFont=1\r\nForceLanguage=2\r\n"},
        {"empty value ending the last piece", "[Config]\r\nForceLanguage=0\r\n" + X255 + "UseBmpFont=",
         "[Config]\r\nForceLanguage=2\r\n" + X255 + "UseBmpFont=1"},
    });
}

TEST_F(SettingsTest, LinesOfAnotherLengthAreUpdatedWithoutTouchingTheirNeighbours)
{
    Check({
        {"empty value", "[Config]\r\nUseBmpFont=\r\nNext=line\r\n",
         "[Config]\r\nUseBmpFont=1\r\nNext=line\r\n\r\nForceLanguage=2\r\n"},
        {"two empty values", "[Config]\r\nUseBmpFont=\r\nA=1\r\nForceLanguage=\r\nB=2\r\n",
         "[Config]\r\nUseBmpFont=1\r\nA=1\r\nForceLanguage=2\r\nB=2\r\n"},
        {"longer values, the last without line end", "[Config]\r\nUseBmpFont=12\r\nForceLanguage=10",
         "[Config]\r\nUseBmpFont=1 \r\nForceLanguage=2 "},
        {"both keys on a long line", "[Config]\r\nab UseBmpFont=0 ForceLanguage=1 cd\r\n",
         "[Config]\r\nab UseBmpFont=1\r\nForceLanguage=2  \r\n"},
        {"text before an empty value", "[Config]UseBmpFont=\r\nForceLanguage=0\r\n",
         "[Config]UseBmpFont=1\r\nForceLanguage=2\r\n"},
        {"both keys on one line", "[Config]\r\nUseBmpFont=ForceLanguage=\r\nZ=9\r\n",
         "[Config]\r\nUseBmpFont=1\r\nForceLanguage=2\r\nZ=9\r\n"},
    });
}

// The shapes a user's settings file may come in, each with its bytes and attributes after
// one update (UseBmpFont '1', ForceLanguage 2).
TEST_F(SettingsTest, EveryShapeOfFileEndsWithBothAnswersAndProtected)
{
    const std::string tail = "\r\n\r\n[Config]\r\n\r\n\r\nUseBmpFont=1\r\n\r\nForceLanguage=2\r\n";
    const std::string line300 = "Long=" + std::string(295, 'L');
    struct {
        const char *name;
        bool present;
        std::string before;
        DWORD attributes;
        std::string after;
    } cases[] = {
        { "missing", false, "", 0, "" },
        { "empty", true, "", 0, tail },
        { "without line ends", true, "[Config]UseBmpFont=0", 0, "[Config]UseBmpFont=1\r\nForceLanguage=2\r\n" },
        { "keys in lower case", true, "[Config]\r\nusebmpfont=0\r\nforcelanguage=0\r\n", 0,
          "[Config]\r\nusebmpfont=0\r\nforcelanguage=0\r\n\r\nUseBmpFont=1\r\n\r\nForceLanguage=2\r\n" },
        { "keys before the section", true, "ForceLanguage=0\r\nUseBmpFont=0\r\n[Config]\r\n", 0,
          "ForceLanguage=2\r\nUseBmpFont=1\r\n[Config]\r\n" },
        { "a 300-byte line", true, "[Config]\r\n" + line300 + "\r\nUseBmpFont=0\r\n", 0,
          "[Config]\r\n" + line300 + "\r\nUseBmpFont=1\r\n\r\nForceLanguage=2\r\n" },
        { "read-only and hidden", true, "[Config]\r\nUseBmpFont=0\r\nForceLanguage=0\r\n", RO_HIDDEN,
          "[Config]\r\nUseBmpFont=1\r\nForceLanguage=2\r\n" },
    };
    for (const auto &c : cases) {
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
        if (c.present)
            WriteText(file, c.before, c.attributes);
        g_displayOk = 0;
        g_interfaceLanguage = 2;
        EXPECT_EQ(1, UpdateSettingsFile()) << c.name;
        EXPECT_EQ(c.present, Exists(file)) << c.name;
        if (!c.present)
            continue;
        EXPECT_EQ(c.after, ReadText(file)) << c.name;
        EXPECT_EQ(RO_HIDDEN, Attributes(file) & RO_HIDDEN) << c.name;
    }
}

TEST_F(SettingsTest, MissingFileStaysMissing)
{
    EXPECT_EQ(1, UpdateSettingsFile());
    EXPECT_FALSE(Exists(file));
}

TEST_F(SettingsTest, ProtectionIsAddedAndOtherAttributeBitsKept)
{
    Update("", 1, 0);
    EXPECT_EQ(RO_HIDDEN, Attributes(file) & RO_HIDDEN);

    const DWORD others = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    WriteText(file, "[Config]\r\nUseBmpFont=\r\n", others | FILE_ATTRIBUTE_READONLY);
    if ((Attributes(file) & others) != others)
        GTEST_SKIP() << "this file system does not keep the system and archive bits";
    EXPECT_EQ(1, UpdateSettingsFile());
    EXPECT_EQ(others | RO_HIDDEN, Attributes(file) & (others | RO_HIDDEN));
    EXPECT_EQ("[Config]\r\nUseBmpFont=0\r\n\r\nForceLanguage=0\r\n", ReadText(file));
}

} // namespace
