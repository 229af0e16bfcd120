// Shortcut files, Start-menu and desktop entries, legacy folder paths and the shortcut names.
#include "../shell/link_fields.h"
#include "fake_message_box.h"
#include "install/shortcut_names.h"
#include "shell/shell.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace {

const char kStartMenuFailure[] = "Failed to create an entry on Start Menu.";
const char kStartMenuFailureChinese[] =
    "无法在 Start 菜单中为本程序建立一个条目。很抱歉，只好请您以后自已建立了。";

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, csidl, FALSE);
    return path;
}

std::string WindowsFolder()
{
    char path[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    std::string folder(path, length);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string UserName()
{
    char user[256];
    DWORD length = sizeof user;
    GetUserNameA(user, &length);
    return user;
}

// A name no other test or run uses, so parallel runs in one prefix do not meet.
std::string UniqueName(const char *stem)
{
    static int counter;
    return std::string(stem) + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

// Every test starts from clean flags and an install folder with the two targets, and leaves
// the flags and the prefix's shell folders as it found them.
struct ShellTest : ::testing::Test {
    std::string install, programs;
    std::vector<std::string> madeFiles, madeFolders;
    int savedNt = 0, savedVersion3 = 0;

    void SetUp() override
    {
        savedNt = g_ntPlatform;
        savedVersion3 = g_version3;
        g_ntPlatform = 0;
        g_version3 = 0;
        g_hMainDlg = NULL;
        install = MakeTestFolder();
        UseInstallFolder(install);
        WriteText(install + "\\app.exe", "MZ");
        WriteText(install + "\\remove.exe", "MZ");
        programs = ShellFolder(CSIDL_PROGRAMS);
        ASSERT_FALSE(programs.empty());
        g_shownMessages.clear();
        g_messageAnswer = IDOK;
    }
    void TearDown() override
    {
        g_ntPlatform = savedNt;
        g_version3 = savedVersion3;
        for (const std::string &file : madeFiles)
            DeleteFileA(file.c_str());
        for (auto folder = madeFolders.rbegin(); folder != madeFolders.rend(); ++folder)
            RemoveTree(*folder);
        RemoveTree(install);
    }
    // Remembers a program folder (in Programs) for removal and returns its path.
    std::string ProgramFolder(const std::string &name)
    {
        madeFolders.push_back(programs + "\\" + name);
        return madeFolders.back();
    }
    std::string File(const std::string &path)
    {
        madeFiles.push_back(path);
        return path;
    }
};

TEST_F(ShellTest, ShortcutRecordsTargetFolderIconAndDescription)
{
    std::string target = install + "\\app.exe";
    std::string file = install + "\\first.lnk";
    ASSERT_EQ(1, CreateShortcut(target.c_str(), file.c_str(), "First description"));
    LinkFields fields = ReadLink(file);
    ASSERT_TRUE(fields.loaded);
    EXPECT_STRCASEEQ(target.c_str(), fields.path.c_str());
    EXPECT_STRCASEEQ(install.c_str(), fields.workingDirectory.c_str());
    EXPECT_STRCASEEQ(target.c_str(), fields.iconFile.c_str());
    EXPECT_EQ(0, fields.iconIndex);
    EXPECT_EQ("First description", fields.description);

    std::string other = install + "\\remove.exe";
    ASSERT_EQ(1, CreateShortcut(other.c_str(), file.c_str(), "Second"));
    fields = ReadLink(file);
    EXPECT_STRCASEEQ(other.c_str(), fields.path.c_str());
    EXPECT_STRCASEEQ(other.c_str(), fields.iconFile.c_str());
    EXPECT_EQ("Second", fields.description);
}

TEST_F(ShellTest, ShortcutIntoMissingFolderReportsFailure)
{
    std::string target = install + "\\app.exe";
    std::string file = install + "\\missing\\x.lnk";
    EXPECT_EQ(0, CreateShortcut(target.c_str(), file.c_str(), "x"));
    EXPECT_FALSE(Exists(file));
    // COM is left as it was: a later shortcut on the same thread still works.
    EXPECT_EQ(1, CreateShortcut(target.c_str(), (install + "\\y.lnk").c_str(), "y"));
}

TEST_F(ShellTest, StartMenuFolderIsCreatedThenReusedSilently)
{
    std::string name = UniqueName("PdShell");
    std::string folder = ProgramFolder(name);
    const ShortcutEntry entries[] = { { "Run it", "app.exe" }, { "Remove it", "remove.exe" }, { NULL, NULL } };
    ASSERT_EQ(1, CreateStartMenuEntries(name.c_str(), entries, CSIDL_PROGRAMS));
    EXPECT_TRUE(g_shownMessages.empty());
    EXPECT_TRUE(Attributes(folder) != INVALID_FILE_ATTRIBUTES && (Attributes(folder) & FILE_ATTRIBUTE_DIRECTORY));
    LinkFields run = ReadLink(folder + "\\Run it.lnk");
    ASSERT_TRUE(run.loaded);
    EXPECT_STRCASEEQ((install + "\\app.exe").c_str(), run.path.c_str());
    EXPECT_STRCASEEQ(install.c_str(), run.workingDirectory.c_str());
    EXPECT_EQ("Run it", run.description);
    LinkFields remove = ReadLink(folder + "\\Remove it.lnk");
    ASSERT_TRUE(remove.loaded);
    EXPECT_STRCASEEQ((install + "\\remove.exe").c_str(), remove.path.c_str());
    EXPECT_EQ("Remove it", remove.description);

    DeleteFileA((folder + "\\Run it.lnk").c_str());
    EXPECT_EQ(1, CreateStartMenuEntries(name.c_str(), entries, CSIDL_PROGRAMS));
    EXPECT_TRUE(g_shownMessages.empty());
    EXPECT_TRUE(Exists(folder + "\\Run it.lnk"));
}

TEST_F(ShellTest, EmptyTableMakesNoShortcutAndNoMessage)
{
    std::string name = UniqueName("PdShellEmpty");
    std::string folder = ProgramFolder(name);
    const ShortcutEntry entries[] = { { NULL, "app.exe" } };
    EXPECT_EQ(1, CreateStartMenuEntries(name.c_str(), entries, CSIDL_PROGRAMS));
    EXPECT_TRUE(g_shownMessages.empty());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TEST_F(ShellTest, NoFolderNamePutsShortcutsStraightIntoPrograms)
{
    for (const char *folderName : { (const char *)NULL, "" }) {
        std::string name = UniqueName("PdShellTop");
        std::string file = File(programs + "\\" + name + ".lnk");
        const ShortcutEntry entries[] = { { name.c_str(), "app.exe" }, { NULL, NULL } };
        EXPECT_EQ(1, CreateStartMenuEntries(folderName, entries, CSIDL_PROGRAMS));
        EXPECT_TRUE(Exists(file)) << (folderName ? "empty" : "null") << " folder name";
    }
    EXPECT_TRUE(g_shownMessages.empty());
}

// A bad entry first or last: the other is still made, and the message shows once.
TEST_F(ShellTest, FailedShortcutIsReportedOnceAfterTryingAll)
{
    for (bool badFirst : { false, true }) {
        for (const char *bad : { "bad\\dir\\x", "bad?name", "bad*name" }) {
            g_shownMessages.clear();
            std::string name = UniqueName("PdShellBad");
            std::string folder = ProgramFolder(name);
            const ShortcutEntry good = { "Good", "app.exe" }, failing = { bad, "remove.exe" };
            const ShortcutEntry entries[] = { badFirst ? failing : good, badFirst ? good : failing, { NULL, NULL } };
            std::string what = std::string(bad) + (badFirst ? " first" : " last");
            EXPECT_EQ(0, CreateStartMenuEntries(name.c_str(), entries, CSIDL_PROGRAMS)) << what;
            EXPECT_TRUE(Exists(folder + "\\Good.lnk")) << what;
            ASSERT_EQ(1u, g_shownMessages.size()) << what;
            EXPECT_EQ(kStartMenuFailure, g_shownMessages[0].english);
            EXPECT_EQ(kStartMenuFailureChinese, g_shownMessages[0].chinese);
            EXPECT_EQ(0, g_shownMessages[0].style);
        }
    }
}

TEST_F(ShellTest, UncreatableProgramFolderShowsOnlyTheFolderMessage)
{
    std::string parent = UniqueName("PdShellMissing");
    ProgramFolder(parent);
    std::string name = parent + "\\child";
    const ShortcutEntry entries[] = { { "Run it", "app.exe" }, { NULL, NULL } };
    EXPECT_EQ(0, CreateStartMenuEntries(name.c_str(), entries, CSIDL_PROGRAMS));
    ASSERT_EQ(1u, g_shownMessages.size());
    EXPECT_EQ("Cannot create folder!", g_shownMessages[0].english);
    EXPECT_EQ("无法建目录(" + programs + "\\" + name + ")!", g_shownMessages[0].chinese);
    EXPECT_EQ(0, g_shownMessages[0].style);
    EXPECT_FALSE(Exists(programs + "\\" + parent));
}

TEST_F(ShellTest, LegacyFoldersOffTheNtPlatform)
{
    char path[MAX_PATH];
    std::string windows = WindowsFolder();
    ASSERT_EQ(1, GetLegacyFolder(path, CSIDL_PROGRAMS));
    EXPECT_STREQ((windows + "\\start menu\\programs").c_str(), path);
    ASSERT_EQ(1, GetLegacyFolder(path, CSIDL_DESKTOP));
    EXPECT_STREQ((windows + "\\Desktop").c_str(), path);
    ASSERT_EQ(1, GetLegacyFolder(path, CSIDL_FONTS));
    EXPECT_STREQ((windows + "\\").c_str(), path);
}

TEST_F(ShellTest, LegacyFoldersOnTheNtPlatformGoThroughTheProfile)
{
    g_ntPlatform = 1;
    char path[MAX_PATH];
    std::string profile = WindowsFolder() + "\\profiles\\" + UserName();
    ASSERT_EQ(1, GetLegacyFolder(path, CSIDL_PROGRAMS));
    EXPECT_STREQ((profile + "\\start menu\\programs").c_str(), path);
    ASSERT_EQ(1, GetLegacyFolder(path, CSIDL_DESKTOP));
    EXPECT_STREQ((profile + "\\Desktop").c_str(), path);
    ASSERT_EQ(1, GetLegacyFolder(path, CSIDL_FONTS));
    EXPECT_STREQ((profile + "\\").c_str(), path);
}

TEST_F(ShellTest, VersionThreeNtWithoutProfileChainFailsOnTheFolder)
{
    std::string profiles = WindowsFolder() + "\\profiles";
    ASSERT_FALSE(Exists(profiles)) << "the prefix has no profiles folder";
    g_version3 = 1;
    g_ntPlatform = 1;
    const ShortcutEntry entries[] = { { "Run it", "app.exe" }, { NULL, NULL } };
    EXPECT_EQ(0, CreateStartMenuEntries("Pendrel Test", entries, CSIDL_PROGRAMS));
    ASSERT_EQ(1u, g_shownMessages.size());
    EXPECT_EQ("Cannot create folder!", g_shownMessages[0].english);
    EXPECT_EQ("无法建目录(" + profiles + "\\" + UserName() + "\\start menu\\programs\\Pendrel Test)!",
              g_shownMessages[0].chinese);
    EXPECT_FALSE(Exists(profiles));
}

TEST_F(ShellTest, VersionThreeNtUsesAnExistingProfileChain)
{
    std::string profiles = WindowsFolder() + "\\profiles";
    ASSERT_FALSE(Exists(profiles)) << "the prefix has no profiles folder";
    madeFolders.push_back(profiles);
    std::string profile = profiles + "\\" + UserName();
    for (const std::string &folder : { profiles, profile, profile + "\\start menu",
                                       profile + "\\start menu\\programs", profile + "\\Desktop" })
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL)) << folder;
    g_version3 = 1;
    g_ntPlatform = 1;
    const ShortcutEntry entries[] = { { "Run it", "app.exe" }, { NULL, NULL } };
    EXPECT_EQ(1, CreateStartMenuEntries("Pendrel Test", entries, CSIDL_PROGRAMS));
    EXPECT_TRUE(Exists(profile + "\\start menu\\programs\\Pendrel Test\\Run it.lnk"));
    CreateDesktopShortcut("app.exe", "Run it");
    EXPECT_TRUE(Exists(profile + "\\Desktop\\Run it.lnk"));
    EXPECT_TRUE(g_shownMessages.empty());
}

TEST_F(ShellTest, DesktopShortcutPointsIntoTheInstallFolder)
{
    std::string name = UniqueName("PdShellDesk");
    std::string file = File(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + name + ".lnk");
    CreateDesktopShortcut("app.exe", name.c_str());
    LinkFields fields = ReadLink(file);
    ASSERT_TRUE(fields.loaded);
    EXPECT_STRCASEEQ((install + "\\app.exe").c_str(), fields.path.c_str());
    EXPECT_STRCASEEQ(install.c_str(), fields.workingDirectory.c_str());
    EXPECT_EQ(name, fields.description);
    EXPECT_TRUE(g_shownMessages.empty());
}

TEST_F(ShellTest, DesktopNameOver94BytesIsSkipped)
{
    std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    std::string stem = UniqueName("PdShellLong");
    std::string longest = stem + std::string(94 - stem.size(), 'x');
    std::string tooLong = longest + "y";
    std::string kept = File(desktop + "\\" + longest + ".lnk");
    std::string skipped = File(desktop + "\\" + tooLong + ".lnk");
    CreateDesktopShortcut("app.exe", longest.c_str());
    CreateDesktopShortcut("app.exe", tooLong.c_str());
    EXPECT_TRUE(Exists(kept));
    EXPECT_FALSE(Exists(skipped));
    // Nor cut down to some shorter name.
    EXPECT_FALSE(Exists(File(desktop + "\\" + tooLong)));
    EXPECT_FALSE(Exists(File(desktop + "\\" + tooLong + ".ln")));
    EXPECT_TRUE(g_shownMessages.empty());
}

TEST(ShortcutNames, SimplifiedVariantIsGbk)
{
    // "Zelvo文本编辑", "Zelvo文本编辑卸载"
    const char product[] = "Zelvo\xCE\xC4\xB1\xBE\xB1\xE0\xBC\xAD";
    const char uninstall[] = "Zelvo\xCE\xC4\xB1\xBE\xB1\xE0\xBC\xAD\xD0\xB6\xD4\xD8";
    EXPECT_STREQ(product, g_shortcutNames[1].folder);
    EXPECT_STREQ(product, g_shortcutNames[1].program);
    EXPECT_STREQ(uninstall, g_shortcutNames[1].uninstaller);
}

TEST(ShortcutNames, TraditionalVariantIsBig5Throughout)
{
    // "Zelvo文本編輯", "Zelvo文本編輯卸載": the uninstaller too, since GBK bytes would not
    // survive a Big5 system's file names.
    const char product[] = "Zelvo\xA4\xE5\xA5\xBB\xBD\x73\xBF\xE8";
    const char uninstall[] = "Zelvo\xA4\xE5\xA5\xBB\xBD\x73\xBF\xE8\xA8\xF8\xB8\xFC";
    EXPECT_STREQ(product, g_shortcutNames[2].folder);
    EXPECT_STREQ(product, g_shortcutNames[2].program);
    EXPECT_STREQ(uninstall, g_shortcutNames[2].uninstaller);
}

} // namespace
