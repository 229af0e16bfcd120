// Writes on a full disk: no cut-off file may stay behind, a settings file that cannot be
// rewritten completely stays as it was, and an install that finds too little room, or runs
// out of it part-way, leaves the earlier installation as it was. Run through small_disk.sh,
// which mounts a small file system of its own for the test.
#include "fake_message_box.h"
#include "install_window.h"
#include "install/file_ops.h"
#include "install/install.h"
#include "install/settings.h"
#include "msgbox/message_box.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <vector>

namespace {

const DWORD RO_HIDDEN = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

// The small file system under its Windows name (Wine's drive Z: is the Unix root), or "".
std::string SmallDisk()
{
    const char *mounted = getenv("PENDREL_SMALL_DISK");
    if (!mounted || !*mounted)
        return "";
    std::string path = std::string("Z:") + mounted;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

struct DiskFullTest : ::testing::Test {
    std::string folder, filler;
    void SetUp() override
    {
        std::string disk = SmallDisk();
        if (disk.empty()) {
            const char *reason = getenv("PENDREL_SMALL_DISK_SKIP");
            GTEST_SKIP() << "no small file system: " << (reason ? reason : "run through small_disk.sh");
        }
        folder = disk + "\\install";
        filler = disk + "\\filler";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        UseInstallFolder(folder);
    }
    void TearDown() override
    {
        if (folder.empty())
            return;
        DeleteFileA(filler.c_str());
        RemoveTree(folder);
    }
    // Fills the file system to the last byte, then gives spare bytes back.
    void Fill(DWORD spare)
    {
        DeleteFileA(filler.c_str());
        HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        static char block[4096];
        DWORD written = 0;
        while (WriteFile(file, block, sizeof block, &written, NULL) && written == sizeof block)
            continue;
        DWORD size = GetFileSize(file, NULL);
        ASSERT_GT(size, spare);
        SetFilePointer(file, (LONG)(size - spare), NULL, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
};

TEST_F(DiskFullTest, CutOffFileDoesNotStayBehind)
{
    struct { const char *name; DWORD spare, bytes; bool oldFile; } cases[] = {
        { "no room at all: the close fails", 0, 1000, false },
        { "room for part of it: the write is short", 8192, 65536, false },
        { "over an old protected file", 8192, 65536, true },
    };
    std::vector<unsigned char> bytes(65536, 0x5A);
    for (const auto &c : cases) {
        std::string target = folder + "\\optional.bin";
        if (c.oldFile)
            WriteText(target, "old", RO_HIDDEN);
        Fill(c.spare);
        EXPECT_EQ(0, WriteFileWithAttrs("optional.bin", bytes.data(), c.bytes, 1, 1)) << c.name;
        EXPECT_FALSE(Exists(target)) << c.name << ": " << FileSize(target) << " bytes left behind";
        DeleteFileA(filler.c_str());
    }
}

TEST_F(DiskFullTest, SettingsFileThatCannotBeRewrittenStaysAsItWas)
{
    // "UseBmpFont=" without a value needs the whole file rewritten, one byte longer: a
    // page more than the file had, on a disk without one.
    std::string head = "[Config]\r\nForceLanguage=0\r\nUseBmpFont=\r\n";
    std::string before = head;
    while (before.size() + 66 <= 4094)
        before += "Pad=" + std::string(60, 'p') + "\r\n";
    before += std::string(4094 - before.size(), 'q') + "\r\n";
    std::string file = folder + "\\appcfg.ini";
    WriteText(file, before, RO_HIDDEN);
    Fill(0);

    g_displayOk = 0;
    g_interfaceLanguage = 2;
    EXPECT_EQ(1, UpdateSettingsFile());

    std::string expected = before;
    expected.replace(expected.find("ForceLanguage=0"), 15, "ForceLanguage=2");   // same length, in place
    EXPECT_EQ(expected, ReadText(file));
    EXPECT_EQ(RO_HIDDEN, Attributes(file) & RO_HIDDEN);
    EXPECT_FALSE(Exists(file + ".new"));
}

// A small earlier installation: some of the catalogue's files, protected and not, and the
// user's own dictionaries.
struct DiskFullInstallTest : DiskFullTest {
    std::vector<std::string> before;
    void SetUp() override
    {
        DiskFullTest::SetUp();
        if (folder.empty())
            return;
        ASSERT_NE(nullptr, InstallerModule()) << "PendrelSetup.exe must be built beside the tests";
        g_hInstance = InstallerModule();
        snprintf(g_wizardFolder, MAX_PATH, "%s\\", folder.c_str());
        snprintf(g_windowsFolder, MAX_PATH, "%s\\", folder.c_str());
        g_hMainDlg = MakeDialogWithProgressBar();
        WriteText(folder + "\\Pendrel.exe", "the old program", FILE_ATTRIBUTE_READONLY);
        WriteText(folder + "\\charlist.dic", "old characters", RO_HIDDEN);
        WriteText(folder + "\\appcfg.ini", "[Config]\r\nUseBmpFont=1\r\n", RO_HIDDEN);
        WriteText(folder + "\\learned.dic", "words the user taught", RO_HIDDEN);
        WriteText(folder + "\\my notes.txt", "not the installer's");
        before = Snapshot(folder);
        g_shownMessages.clear();
        g_messageReply = nullptr;
        g_atPosition = nullptr;
    }
    void TearDown() override
    {
        g_messageReply = nullptr;
        g_atPosition = nullptr;
        DestroyWindow(g_hMainDlg);
        g_hMainDlg = NULL;
        DiskFullTest::TearDown();
    }
};

// The message names what is missing: freeing that much and pressing Retry lets the install
// through; Cancel before that changes nothing.
TEST_F(DiskFullInstallTest, TooLittleRoomIsFoundBeforeAnyChange)
{
    const DWORD spare = 10 << 20;
    Fill(spare);
    g_messageReply = [](const ShownMessage &) { return IDCANCEL; };
    EXPECT_EQ(0, RunInstall());
    ASSERT_EQ(1u, g_shownMessages.size());
    EXPECT_EQ(BIMB_RETRYCANCEL, g_shownMessages[0].style);
    EXPECT_EQ("", Differences(before, Snapshot(folder)));

    unsigned long missingKB = 0;
    g_messageReply = [&](const ShownMessage &message) {
        if (missingKB)
            return IDCANCEL;    // asked again: what was freed was not enough
        sscanf(message.english.c_str(), "Not enough disk space: %lu KB", &missingKB);
        Fill(spare + missingKB * 1024);
        return IDRETRY;
    };
    g_shownMessages.clear();
    EXPECT_EQ(1, RunInstall());
    EXPECT_EQ(1u, g_shownMessages.size()) << g_shownMessages.back().english;
    EXPECT_GT(missingKB, 20000ul);
}

// The disk filled from elsewhere after the checks: the entry that no longer fits fails, and
// everything set aside comes back.
TEST_F(DiskFullInstallTest, DiskFilledPartWayPutsEverythingBack)
{
    g_atPosition = [&](int position) {
        if (position == 30)
            Fill(0);
    };
    EXPECT_EQ(0, RunInstall());
    EXPECT_TRUE(g_shownMessages.empty());
    DeleteFileA(filler.c_str());
    EXPECT_EQ("", Differences(before, Snapshot(folder)));
}

} // namespace
