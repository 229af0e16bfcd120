// A failed install leaves the earlier installation as it was: what the checks find stops it
// before any change, a failure part-way puts everything back, and what an install cut off by
// a crash leaves is put back by the next one.
#include "install_fixture.h"
#include "import_hook.h"
#include "install/catalogue.h"
#include "install/set_aside.h"
#include "msgbox/message_box.h"
#include <string.h>
#include <vector>

namespace {

// An earlier installation as a user leaves it: one file changed, one without its
// protection, one lost, dictionaries and a file of the user's own.
struct FailedInstallTest : RunInstallTest {
    std::vector<std::string> before;
    void SetUp() override
    {
        RunInstallTest::SetUp();
        ASSERT_EQ(1, RunInstall());
        WriteText(Path("appcfg.ini"), "[Config]\r\nUseBmpFont=1\r\n; changed by the user\r\n", RO_HIDDEN);
        SetFileAttributesA(Path("layout3.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(Path("readings2.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(Path("readings2.bin").c_str());
        WriteText(Path("learned.dic"), "words the user taught", RO_HIDDEN);
        WriteText(Path("learned.dic0101"), "more words");
        WriteText(Path("tuned.dic1111"), "tuning", FILE_ATTRIBUTE_HIDDEN);
        WriteText(Path("my notes.txt"), "not the installer's");
        WriteText(wizard + "\\CtlSet2.bin", "new control set");
        before = Snapshot(folder);
        g_positions.clear();
        g_shownMessages.clear();
        // Yes to the old word base, so that every entry is written; Cancel to any problem.
        g_messageReply = [](const ShownMessage &message) {
            return message.style == BIMB_RETRYCANCEL ? IDCANCEL : IDYES;
        };
    }
    HANDLE HoldOpen(const char *name)
    {
        return CreateFileA(Path(name).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    }
};

// The moves the install makes, refused for one file name as for a file the user may not
// replace; every other move is made.
const char *g_refusedName;
void *g_realMoveFile;

BOOL WINAPI RefusingMoveFile(LPCSTR from, LPCSTR to)
{
    size_t length = strlen(from), name = strlen(g_refusedName);
    if (length > name && from[length - name - 1] == '\\' && _stricmp(from + length - name, g_refusedName) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ((BOOL(WINAPI *)(LPCSTR, LPCSTR))g_realMoveFile)(from, to);
}

TEST_F(FailedInstallTest, ChecksStopTheInstallBeforeAnyChange)
{
    enum Obstacle { HELD_OPEN, FOLDER };
    struct { const char *name; Obstacle obstacle; } cases[] = {
        { "Pendrel.exe", HELD_OPEN },       // the program running
        { "learned.dic0101", HELD_OPEN },   // a dictionary the clean-up deletes
        { "readings2.bin", FOLDER },        // where a required file goes
    };
    for (const auto &c : cases) {
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.obstacle == FOLDER)
            ASSERT_TRUE(CreateDirectoryA(Path(c.name).c_str(), NULL)) << c.name;
        else
            ASSERT_NE(INVALID_HANDLE_VALUE, held = HoldOpen(c.name)) << c.name;
        g_shownMessages.clear();
        g_positions.clear();
        Install(0);
        if (c.obstacle == FOLDER)
            RemoveDirectoryA(Path(c.name).c_str());
        else
            CloseHandle(held);
        ASSERT_EQ(2u, g_shownMessages.size()) << c.name << ": the old-word-base question, then the problem";
        const ShownMessage &problem = g_shownMessages[1];
        EXPECT_EQ(BIMB_RETRYCANCEL, problem.style) << c.name;
        EXPECT_NE(std::string::npos, problem.chinese.find(c.name)) << problem.chinese;
        EXPECT_NE(std::string::npos, problem.english.find(c.name)) << problem.english;
        EXPECT_EQ(std::vector<int>{ 10 }, g_positions) << c.name;
        EXPECT_EQ("", Differences(before, Snapshot(folder))) << c.name;
        EXPECT_FALSE(Exists(windows + "\\CtlSet2.bin")) << c.name;
    }
}

TEST_F(FailedInstallTest, RetryAfterTheProgramIsClosedInstalls)
{
    HANDLE held = HoldOpen("Pendrel.exe");
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    int problems = 0;
    g_messageReply = [&](const ShownMessage &message) {
        if (message.style != BIMB_RETRYCANCEL)
            return IDYES;
        if (++problems == 2)
            CloseHandle(held);      // a first Retry while the program still runs asks again
        return IDRETRY;
    };
    Install(1);
    EXPECT_EQ(2, problems);
    EXPECT_EQ(1556480, FileSize(Path("Pendrel.exe")));
    for (const std::string &entry : Snapshot(folder)) {
        std::string name = entry.substr(0, entry.find(" attributes "));
        bool known = name == "my notes.txt";
        for (const CatalogueEntry &file : g_catalogue)
            known = known || name == file.fileName;
        EXPECT_TRUE(known) << name << " left in the folder";
    }
}

TEST_F(FailedInstallTest, FailuresPartWayPutEverythingBack)
{
    enum Fault { HELD_OPEN, FOLDER, MOVE_REFUSED };
    struct { const char *what; Fault fault; const char *name; int position; } cases[] = {
        { "a program takes a file", HELD_OPEN, "strokes.bin", 25 },
        { "a folder is made where a file goes", FOLDER, "readings2.bin", 25 },
        { "a file the user may not replace", MOVE_REFUSED, "wordbase.igb", 0 },
        { "the last entry fails", HELD_OPEN, "Pendrel.exe", 65 },
        { "the clean-up fails", MOVE_REFUSED, "learned.dic0101", 0 },
    };
    for (const auto &c : cases) {
        HANDLE held = INVALID_HANDLE_VALUE;
        g_atPosition = [&](int position) {
            if (position != c.position)
                return;
            if (c.fault == FOLDER)
                CreateDirectoryA(Path(c.name).c_str(), NULL);
            else
                held = HoldOpen(c.name);
        };
        g_refusedName = c.name;
        g_realMoveFile = c.fault == MOVE_REFUSED ? HookImport("kernel32.dll", "MoveFileA", (void *)RefusingMoveFile)
                                                 : NULL;
        ASSERT_TRUE(c.fault != MOVE_REFUSED || g_realMoveFile) << c.what;
        g_shownMessages.clear();
        Install(0);
        if (g_realMoveFile)
            RestoreImport((void *)RefusingMoveFile, g_realMoveFile);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        if (c.fault == FOLDER)
            RemoveDirectoryA(Path(c.name).c_str());
        EXPECT_EQ(1u, g_shownMessages.size()) << c.what << ": no problem was foreseen";
        EXPECT_EQ("", Differences(before, Snapshot(folder))) << c.what;
        EXPECT_FALSE(Exists(windows + "\\CtlSet2.bin")) << c.what;
    }
}

// The install's first deletion through the system after its last entry is the journal's:
// from then on the new installation stands.
void *g_realDeleteFile;
std::string g_cutCopy, g_cutFrom;
bool g_cutAtCommit;

BOOL WINAPI CopyingDeleteFile(LPCSTR path)
{
    BOOL deleted = ((BOOL(WINAPI *)(LPCSTR))g_realDeleteFile)(path);
    if (g_cutAtCommit) {
        CopyTree(g_cutFrom, g_cutCopy);
        g_cutAtCommit = false;
    }
    return deleted;
}

// A snapshot without the settings file's line: the settings are recorded after the commit.
std::vector<std::string> WithoutSettings(std::vector<std::string> lines)
{
    for (size_t i = 0; i < lines.size(); i++) {
        if (lines[i].compare(0, 11, "appcfg.ini ") == 0)
            lines.erase(lines.begin() + i--);
    }
    return lines;
}

// A copy of the folder taken while the install runs is what a crash at that moment leaves
// on the disk; the next install's first step must make it the earlier installation again,
// or, once the install had committed itself, the new one.
TEST_F(FailedInstallTest, CutOffInstallIsSettledByTheNextOne)
{
    struct { const char *when; int position; bool committed; } cases[] = {
        { "before the last entries, a file made where there was none", 50, false },
        { "as the set-aside files are discarded", 90, true },
    };
    std::string earlier = root + "\\earlier";
    CopyTree(folder, earlier);
    ASSERT_EQ("", Differences(before, Snapshot(earlier)));
    g_cutFrom = folder;
    g_cutCopy = root + "\\cut";
    for (const auto &c : cases) {
        g_atPosition = [&](int position) {
            if (position == c.position && !c.committed)
                CopyTree(folder, g_cutCopy);
            g_cutAtCommit = c.committed && position == c.position;
        };
        g_realDeleteFile = HookImport("kernel32.dll", "DeleteFileA", (void *)CopyingDeleteFile);
        ASSERT_NE(nullptr, g_realDeleteFile);
        Install(1);
        RestoreImport((void *)CopyingDeleteFile, g_realDeleteFile);
        g_atPosition = nullptr;
        std::vector<std::string> installed = Snapshot(folder), cut = Snapshot(g_cutCopy);
        ASSERT_FALSE(cut.empty()) << c.when;
        ASSERT_NE(WithoutSettings(installed), WithoutSettings(cut)) << c.when << ": nothing was set aside";

        UseInstallFolder(g_cutCopy);
        InstallProblem problem;
        EXPECT_EQ(1, PutBackInterrupted(&problem)) << c.when;
        if (c.committed)
            EXPECT_EQ("", Differences(WithoutSettings(installed), WithoutSettings(Snapshot(g_cutCopy)))) << c.when;
        else
            EXPECT_EQ("", Differences(before, Snapshot(g_cutCopy))) << c.when;
        UseInstallFolder(folder);
        RemoveTree(g_cutCopy);
        RemoveTree(folder);
        CopyTree(earlier, folder);
    }
}

} // namespace
