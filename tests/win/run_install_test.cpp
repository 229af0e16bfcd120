// The install sequence over the real payload of the built installer.
#include "install_fixture.h"
#include "install/catalogue.h"
#include <commctrl.h>
#include <vector>

namespace {

const std::vector<int> kAllPositions = { 10, 15, 20, 25, 30, 35, 45, 50, 55, 65, 70, 90, 94, 97, 100 };
const char *const kWordBaseFiles[] = { "wordbase.igb", "wordshape.idx", "wordindex.idx", "wordinitials.idx" };

TEST_F(RunInstallTest, FreshFolderGetsEveryFileWithItsFlags)
{
    Install();
    EXPECT_TRUE(g_shownMessages.empty());
    EXPECT_EQ(kAllPositions, g_positions);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(g_hMainDlg, 1026), GWL_STYLE) & WS_VISIBLE);
    for (const CatalogueEntry &entry : g_catalogue) {
        DWORD attributes = Attributes(Path(entry.fileName));
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << entry.fileName;
        DWORD expected = (entry.readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (entry.hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
        EXPECT_EQ(expected, attributes & RO_HIDDEN) << entry.fileName;
    }
    EXPECT_EQ(241664, FileSize(Path("glyphs16.bin")));
    EXPECT_EQ(16599813, FileSize(Path("wordindex.idx")));
}

TEST_F(RunInstallTest, SecondInstallAsksAboutTheOldWordBase)
{
    Install();
    g_shownMessages.clear();
    g_messageAnswer = IDYES;
    MarkWordBase();
    Install();
    ASSERT_EQ(1u, g_shownMessages.size());
    EXPECT_EQ(4, g_shownMessages[0].style);
    EXPECT_EQ("安装目录有老词库。是否安装新词库(会冲掉老词库)?", g_shownMessages[0].chinese);
    EXPECT_EQ("Old CiKu (Word Base) is detected. Replace it with new CiKu?", g_shownMessages[0].english);
    EXPECT_EQ(3535987, FileSize(Path("wordbase.igb")));
    EXPECT_EQ(16599813, FileSize(Path("wordindex.idx")));
}

TEST_F(RunInstallTest, AnyAnswerButYesKeepsTheOldWordBase)
{
    for (int answer : { IDNO, IDCANCEL }) {
        MarkWordBase();
        g_messageAnswer = answer;
        g_positions.clear();
        g_shownMessages.clear();
        Install();
        EXPECT_EQ(1u, g_shownMessages.size());
        EXPECT_EQ(kAllPositions, g_positions) << "skipped entries still move the bar";
        for (const char *name : kWordBaseFiles) {
            EXPECT_NE(std::string::npos, ReadText(Path(name)).find(std::string("user ") + name)) << name;
            EXPECT_EQ((DWORD)FILE_ATTRIBUTE_HIDDEN, Attributes(Path(name)) & RO_HIDDEN) << name;
        }
        EXPECT_EQ(1556480, FileSize(Path("Pendrel.exe")));
    }
}

TEST_F(RunInstallTest, WordIndexWithoutMarkIsReplacedWithoutAQuestion)
{
    const char *indexes[] = { nullptr, "", "\x7F plain" };
    for (const char *index : indexes) {
        WriteText(Path("wordbase.igb"), "user base");
        DeleteFileA(Path("wordindex.idx").c_str());
        if (index)
            WriteText(Path("wordindex.idx"), index);
        g_shownMessages.clear();
        Install();
        EXPECT_TRUE(g_shownMessages.empty()) << (index ? index : "no index");
        EXPECT_EQ(3535987, FileSize(Path("wordbase.igb")));
    }
}

TEST_F(RunInstallTest, OldDictionaryNamesInDeletionOrder)
{
    UseInstallFolder("D:\\P");
    std::vector<std::string> names;
    for (int i = 0; i < OLD_DICTIONARY_PATHS; i++) {
        char path[MAX_PATH];
        ASSERT_EQ(1, OldDictionaryPath(i, path));
        names.push_back(path);
    }
    EXPECT_EQ("D:\\P\\syllables.dic", names[0]);
    EXPECT_EQ("D:\\P\\Charlist.dic", names[1]);
    EXPECT_EQ("D:\\P\\learned.dic", names[2]);
    EXPECT_EQ("D:\\P\\tuned.dic", names[3]);
    EXPECT_EQ("D:\\P\\syllables.dic0001", names[4]);
    EXPECT_EQ("D:\\P\\learned.dic0010", names[10]);
    EXPECT_EQ("D:\\P\\tuned.dic0011", names[15]);
    EXPECT_EQ("D:\\P\\Charlist.dic1000", names[33]);
    EXPECT_EQ("D:\\P\\tuned.dic1111", names[63]);
}

TEST_F(RunInstallTest, CleanUpRemovesNumberedDictionariesOnly)
{
    const char *removed[] = { "learned.dic", "learned.dic0001", "tuned.dic1111", "Charlist.dic0110" };
    const char *kept[] = { "learned.dic2", "learned.dic00001", "tuned.dic0002", "learned.dic11111" };
    for (const char *name : removed)
        WriteText(Path(name), "old", RO_HIDDEN);
    for (const char *name : kept)
        WriteText(Path(name), "old");
    MarkWordBase();
    g_messageAnswer = IDNO;     // the clean-up runs even when the old word base stays
    Install();
    for (const char *name : removed)
        EXPECT_FALSE(Exists(Path(name))) << name;
    for (const char *name : kept)
        EXPECT_TRUE(Exists(Path(name))) << name;
}

TEST_F(RunInstallTest, OptionalEntryMayFail)
{
    ASSERT_TRUE(CreateDirectoryA(Path("wordshape.idx").c_str(), NULL));
    Install(1);
    EXPECT_EQ(kAllPositions, g_positions);
    EXPECT_TRUE(g_shownMessages.empty());
}

TEST_F(RunInstallTest, ControlSetIsCopiedOnlyWhenItTravelsWithTheInstaller)
{
    WriteText(windows + "\\CtlSet2.bin", "system copy", RO_HIDDEN);
    Install();
    EXPECT_EQ("system copy", ReadText(windows + "\\CtlSet2.bin"));

    WriteText(wizard + "\\CtlSet2.bin", "new control set");
    Install();
    EXPECT_EQ("new control set", ReadText(windows + "\\CtlSet2.bin"));
}

TEST_F(RunInstallTest, FailedControlSetCopyKeepsTheOldOne)
{
    WriteText(windows + "\\CtlSet2.bin", "system copy", RO_HIDDEN);
    WriteText(wizard + "\\CtlSet2.bin", "new control set");
    // Held open without sharing by another program: the copy cannot read it.
    HANDLE held = CreateFileA((wizard + "\\CtlSet2.bin").c_str(), GENERIC_READ, 0, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Install();
    CloseHandle(held);
    EXPECT_EQ("system copy", ReadText(windows + "\\CtlSet2.bin"));
    EXPECT_EQ(RO_HIDDEN, Attributes(windows + "\\CtlSet2.bin") & RO_HIDDEN);
}

BOOL CALLBACK TakeLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found)
{
    *(WORD *)found = language;
    return FALSE;
}

// A copy of the installer at path with item id damaged: one byte of its stored stream
// flipped, or the stream cut off after its first half. 0 when the copy could not be made.
// (Removing an item is left to the check's own tests: Wine's UpdateResource keeps it.)
int MakeDamagedInstaller(const std::string &path, int id, bool truncate)
{
    HMODULE original = InstallerModule();
    HRSRC found = FindResourceA(original, MAKEINTRESOURCEA(id), "TEXT");
    WORD language = 0;
    EnumResourceLanguagesA(original, "TEXT", MAKEINTRESOURCEA(id), TakeLanguage, (LONG_PTR)&language);
    if (!found || !CopyFileA("PendrelSetup.exe", path.c_str(), FALSE))
        return 0;
    DWORD size = SizeofResource(original, found);
    const BYTE *bytes = (const BYTE *)LockResource(LoadResource(original, found));
    std::vector<BYTE> damaged(bytes, bytes + size);
    if (truncate)
        damaged.resize(size / 2);
    else
        damaged[size / 2] ^= 0x10;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    if (!update)
        return 0;
    BOOL changed = UpdateResourceA(update, "TEXT", MAKEINTRESOURCEA(id), language, damaged.data(),
                                   (DWORD)damaged.size());
    return EndUpdateResourceA(update, !changed) && changed;
}

TEST_F(RunInstallTest, DamagedPayloadChangesNothingOnDisk)
{
    struct { const char *name; int entry; bool truncate; } cases[] = {
        { "last entry damaged", CATALOGUE_ENTRIES - 1, false },
        { "word base cut off", 24, true },
    };
    for (const auto &c : cases) {
        std::string copy = root + "\\damaged" + std::to_string(c.entry) + ".exe";
        ASSERT_EQ(1, MakeDamagedInstaller(copy, g_catalogue[c.entry].id, c.truncate)) << c.name;
        HMODULE damaged = LoadLibraryExA(copy.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, damaged) << c.name;
        g_hInstance = damaged;
        MarkWordBase();
        WriteText(Path("learned.dic"), "user's own words", RO_HIDDEN);
        WriteText(wizard + "\\CtlSet2.bin", "new control set");
        std::vector<std::string> before = Snapshot(folder);
        g_shownMessages.clear();
        g_messageAnswer = IDYES;

        Install(0);
        EXPECT_TRUE(g_shownMessages.empty()) << c.name << ": refused before the question";
        EXPECT_EQ(before, Snapshot(folder)) << c.name;
        EXPECT_FALSE(Exists(windows + "\\CtlSet2.bin")) << c.name;
        g_hInstance = InstallerModule();
        FreeLibrary(damaged);
        DeleteFileA(copy.c_str());
    }
}

TEST_F(RunInstallTest, OverlongInstallFolderWritesNothing)
{
    // A folder that exists but leaves no room for "\syllables.dic" in a path buffer.
    std::string deep = folder;
    const size_t target = MAX_PATH - 12;
    while (deep.size() < target) {
        size_t part = std::min<size_t>(60, target - deep.size() - 1);
        deep += "\\" + std::string(part ? part : 1, 'd');
        CreateDirectoryA(deep.c_str(), NULL);
    }
    ASSERT_TRUE(Exists(deep));
    UseInstallFolder(deep);
    Install(0);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((deep + "\\*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do entries++; while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(2, entries) << "only . and .. should be there";
}

} // namespace
