// Payload item to file: decompression edge cases and what is left on disk.
#include "install/file_ops.h"
#include "import_hook.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// Items of this test program: 1 inflates to nothing, 2 and 5 to the same 1,000 bytes
// (5 stored as US English), 3 carries a wrong Adler-32, 4 does not exist.
enum { ITEM_EMPTY = 1, ITEM_PATTERN = 2, ITEM_BAD_CHECKSUM = 3, ITEM_MISSING = 4, ITEM_ENGLISH = 5 };
const DWORD kPatternBytes = 1000;
const DWORD RO_HIDDEN = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

struct ExtractTest : ::testing::Test {
    std::string folder;
    std::vector<unsigned char> buffer = std::vector<unsigned char>(4096);
    void SetUp() override
    {
        g_hInstance = GetModuleHandleA(NULL);
        folder = MakeTestFolder();
        UseInstallFolder(folder);
    }
    void TearDown() override { RemoveTree(folder); }
    std::string Path(const char *name) { return folder + "\\" + name; }
    int Extract(int id, DWORD capacity, int readOnly = 0, int hidden = 0)
    {
        return ExtractResource(id, "out.bin", buffer.data(), capacity, readOnly, hidden);
    }
};

TEST_F(ExtractTest, EmptyItemGivesEmptyFile)
{
    EXPECT_EQ(1, Extract(ITEM_EMPTY, 16));
    EXPECT_EQ(0, FileSize(Path("out.bin")));
}

TEST_F(ExtractTest, CapacityIsExactlyEnoughOrOneShort)
{
    EXPECT_EQ(1, Extract(ITEM_PATTERN, kPatternBytes));
    EXPECT_EQ((long long)kPatternBytes, FileSize(Path("out.bin")));

    WriteText(Path("out.bin"), "old", RO_HIDDEN);
    EXPECT_EQ(0, Extract(ITEM_PATTERN, kPatternBytes - 1));
    EXPECT_EQ("old", ReadText(Path("out.bin")));
    EXPECT_EQ(RO_HIDDEN, Attributes(Path("out.bin")) & RO_HIDDEN);
}

TEST_F(ExtractTest, FailedDecompressionLeavesTargetUntouched)
{
    for (int id : { ITEM_BAD_CHECKSUM, ITEM_MISSING }) {
        WriteText(Path("out.bin"), "keep me", RO_HIDDEN);
        EXPECT_EQ(0, Extract(id, 4096)) << "item " << id;
        EXPECT_EQ("keep me", ReadText(Path("out.bin"))) << "item " << id;
        EXPECT_EQ(RO_HIDDEN, Attributes(Path("out.bin")) & RO_HIDDEN) << "item " << id;
    }
    EXPECT_EQ(0, ExtractResource(ITEM_MISSING, "absent.bin", buffer.data(), 4096, 0, 0));
    EXPECT_FALSE(Exists(Path("absent.bin")));
}

TEST_F(ExtractTest, LookupIgnoresLanguageAndHighBitsOfId)
{
    EXPECT_EQ(1, Extract(ITEM_ENGLISH, kPatternBytes));
    EXPECT_EQ(1, Extract(0x70000 | ITEM_PATTERN, kPatternBytes));
    EXPECT_EQ((long long)kPatternBytes, FileSize(Path("out.bin")));
}

TEST_F(ExtractTest, ReplacedFileGetsExactlyTheRequestedAttributes)
{
    struct { int readOnly, hidden; DWORD expected; } cases[] = {
        { 0, 0, 0 },
        { 1, 0, FILE_ATTRIBUTE_READONLY },
        { 0, 1, FILE_ATTRIBUTE_HIDDEN },
        { 1, 1, RO_HIDDEN },
    };
    for (const auto &c : cases) {
        WriteText(Path("out.bin"), "previous", RO_HIDDEN);
        EXPECT_EQ(1, Extract(ITEM_PATTERN, 4096, c.readOnly, c.hidden));
        EXPECT_EQ(c.expected, Attributes(Path("out.bin")) & RO_HIDDEN)
            << "readOnly " << c.readOnly << " hidden " << c.hidden;
        EXPECT_EQ((long long)kPatternBytes, FileSize(Path("out.bin")));
    }
}

TEST_F(ExtractTest, OtherAttributeBitsAreCarriedOver)
{
    WriteText(Path("out.bin"), "previous", FILE_ATTRIBUTE_SYSTEM | RO_HIDDEN);
    if (!(Attributes(Path("out.bin")) & FILE_ATTRIBUTE_SYSTEM))
        GTEST_SKIP() << "this file system does not keep the system attribute";
    EXPECT_EQ(1, Extract(ITEM_PATTERN, 4096, 1, 0));
    EXPECT_EQ(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY,
              Attributes(Path("out.bin")) & (FILE_ATTRIBUTE_SYSTEM | RO_HIDDEN));
}

TEST_F(ExtractTest, ExtractingReadOnlyTwiceSucceedsBothTimes)
{
    EXPECT_EQ(1, Extract(ITEM_PATTERN, 4096, 1, 0));
    EXPECT_EQ(1, Extract(ITEM_PATTERN, 4096, 1, 0));
    EXPECT_TRUE(Attributes(Path("out.bin")) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(ExtractTest, MissingInstallFolderIsNotCreated)
{
    std::string missing = folder + "\\not-there";
    UseInstallFolder(missing);
    EXPECT_EQ(0, Extract(ITEM_PATTERN, 4096));
    EXPECT_FALSE(Exists(missing));
}

TEST_F(ExtractTest, PathLongerThanMaxPathIsRefused)
{
    // Folder, backslash and name need one byte more than a path buffer holds.
    std::string name(MAX_PATH - folder.size() - 1, 'n');
    EXPECT_EQ(0, WriteFileWithAttrs(name.c_str(), (const unsigned char *)"x", 1, 0, 0));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\n*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "a cut-off name was written: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    name.pop_back();
    EXPECT_EQ(1, WriteFileWithAttrs(name.c_str(), (const unsigned char *)"x", 1, 0, 0));
}

// Stand-ins for the attribute calls: every read fails, every write is recorded.
void *g_realSetAttributes;
std::vector<DWORD> g_attributeWrites;

DWORD WINAPI FailingGetFileAttributes(LPCSTR)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_FILE_ATTRIBUTES;
}

BOOL WINAPI RecordingSetFileAttributes(LPCSTR path, DWORD attributes)
{
    g_attributeWrites.push_back(attributes);
    return reinterpret_cast<BOOL(WINAPI *)(LPCSTR, DWORD)>(g_realSetAttributes)(path, attributes);
}

TEST_F(ExtractTest, FailedAttributeReadIsNeverWrittenBack)
{
    void *realGet = HookImport("kernel32.dll", "GetFileAttributesA", (void *)FailingGetFileAttributes);
    g_realSetAttributes = HookImport("kernel32.dll", "SetFileAttributesA", (void *)RecordingSetFileAttributes);
    g_attributeWrites.clear();
    int created = Extract(ITEM_PATTERN, 4096, 1, 1);
    int replaced = Extract(ITEM_PATTERN, 4096, 1, 1);
    if (realGet)
        RestoreImport((void *)FailingGetFileAttributes, realGet);
    if (g_realSetAttributes)
        RestoreImport((void *)RecordingSetFileAttributes, g_realSetAttributes);
    ASSERT_TRUE(realGet && g_realSetAttributes) << "the engine no longer imports the attribute calls";

    // Written completely, so both count as written; no attribute word was made up.
    EXPECT_EQ(1, created);
    EXPECT_EQ(1, replaced);
    EXPECT_EQ(std::vector<DWORD>(), g_attributeWrites);
    EXPECT_EQ((long long)kPatternBytes, FileSize(Path("out.bin")));
}

} // namespace
