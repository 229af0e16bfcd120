// Installs the real payload as the wizard would, under the system Wine pretends to be, and
// checks the Start-menu and desktop shortcuts from inside Windows.
#include "link_fields.h"
#include "install/install.h"
#include "wizard/environment.h"
#include "msgbox/message_box.h"
#include "base/state.h"
#include "../win/test_folder.h"
#include <shlobj.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

struct Case {
    const char *name;
    int ntPlatform, version3, variant;  // the flags start-up must detect
    const char *folder, *program, *uninstaller;
};

const Case kCases[] = {
    { "default", 1, 0, 0, "Pendrel Writer", "Pendrel Writer", "Pendrel UnInstall" },
    { "win98", 0, 0, 0, "Pendrel Writer", "Pendrel Writer", "Pendrel UnInstall" },
    // No profiles folder under this Windows folder: the program folder cannot be made.
    { "nt351", 1, 1, 0, "Pendrel Writer", "Pendrel Writer", "Pendrel UnInstall" },
    // "Zelvo文本编辑", "Zelvo文本编辑卸载" in GBK
    { "zh_CN", 1, 0, 1, "Zelvo\xCE\xC4\xB1\xBE\xB1\xE0\xBC\xAD", "Zelvo\xCE\xC4\xB1\xBE\xB1\xE0\xBC\xAD",
      "Zelvo\xCE\xC4\xB1\xBE\xB1\xE0\xBC\xAD\xD0\xB6\xD4\xD8" },
    // "Zelvo文本編輯", "Zelvo文本編輯卸載" in Big5
    { "zh_TW", 1, 0, 2, "Zelvo\xA4\xE5\xA5\xBB\xBD\x73\xBF\xE8", "Zelvo\xA4\xE5\xA5\xBB\xBD\x73\xBF\xE8",
      "Zelvo\xA4\xE5\xA5\xBB\xBD\x73\xBF\xE8\xA8\xF8\xB8\xFC" },
};

struct Message {
    std::string chinese, english;
};
std::vector<Message> g_messages;
int g_failures;

void Check(bool ok, const std::string &what)
{
    if (!ok) {
        printf("FAIL: %s\n", what.c_str());
        g_failures++;
    }
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, csidl, FALSE);
    return path;
}

void CheckLink(const std::string &file, const std::string &target, const char *description)
{
    LinkFields link = ReadLink(file);
    Check(link.loaded, "shortcut readable: " + file);
    if (!link.loaded)
        return;
    Check(lstrcmpiA(link.path.c_str(), (g_installFolder + std::string("\\") + target).c_str()) == 0,
          "target of " + file + ": " + link.path);
    Check(lstrcmpiA(link.workingDirectory.c_str(), g_installFolder) == 0,
          "working directory of " + file + ": " + link.workingDirectory);
    Check(link.description == description, "description of " + file);
    Check(link.iconIndex == 0, "icon index of " + file);
}

} // namespace

// Answers Yes, so a left-over word base never blocks the run; every message is kept.
int BiMessageBox(const char *chinese, const char *english, int style, HWND owner)
{
    (void)owner;
    printf("message (style %d): %s\n", style, english ? english : "");
    g_messages.push_back({ chinese ? chinese : "", english ? english : "" });
    return IDYES;
}

int main(int argc, char **argv)
{
    const Case *test = NULL;
    for (const Case &c : kCases)
        if (argc > 1 && strcmp(argv[1], c.name) == 0)
            test = &c;
    if (!test) {
        printf("usage: shell_install default|win98|nt351|zh_CN|zh_TW\n");
        return 2;
    }

    DetectEnvironment();
    Check(g_ntPlatform == test->ntPlatform, "NT flag " + std::to_string(g_ntPlatform));
    Check(g_version3 == test->version3, "version-3 flag " + std::to_string(g_version3));
    Check(g_chineseVariant == test->variant, "Chinese variant " + std::to_string(g_chineseVariant));

    g_hInstance = InstallerModule();
    if (!g_hInstance) {
        printf("FAIL: PendrelSetup.exe must be in the working folder\n");
        return 1;
    }
    // The control-set copy must not reach the prefix's real Windows folder.
    std::string root = MakeTestFolder();
    std::string install = root + "\\Pendrel";
    CreateDirectoryA(install.c_str(), NULL);
    UseInstallFolder(install);
    snprintf(g_wizardFolder, MAX_PATH, "%s\\", root.c_str());
    snprintf(g_windowsFolder, MAX_PATH, "%s\\", root.c_str());
    g_desktopIcon = 1;

    std::string programs = ShellFolder(CSIDL_PROGRAMS);
    std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    std::string folder = programs + "\\" + test->folder;
    const std::string links[3] = { folder + "\\" + test->program + ".lnk",
                                   folder + "\\" + test->uninstaller + ".lnk",
                                   desktop + "\\" + test->program + ".lnk" };
    // Shortcuts left by earlier runs must not pass for new ones.
    for (const std::string &link : links)
        DeleteFileA(link.c_str());

    Check(RunInstall() == 1, "install result");

    if (test->version3) {
        char windows[MAX_PATH], user[256];
        GetWindowsDirectoryA(windows, sizeof windows);
        DWORD length = sizeof user;
        GetUserNameA(user, &length);
        std::string legacy = std::string(windows) + "\\profiles\\" + user + "\\start menu\\programs\\" + test->folder;
        Check(g_messages.size() == 1, "one message, not " + std::to_string(g_messages.size()));
        if (!g_messages.empty()) {
            Check(g_messages[0].english == "Cannot create folder!", "folder message");
            Check(g_messages[0].chinese == "无法建目录(" + legacy + ")!", "folder path: " + g_messages[0].chinese);
        }
        for (const std::string &link : links)
            Check(GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES, "no shortcut " + link);
        Check(GetFileAttributesA((std::string(windows) + "\\profiles").c_str()) == INVALID_FILE_ATTRIBUTES,
              "no profiles folder made");
    } else {
        Check(g_messages.empty(), "no message");
        CheckLink(links[0], "Pendrel.exe", test->program);
        CheckLink(links[1], "PdUnInstall.exe", test->uninstaller);
        CheckLink(links[2], "Pendrel.exe", test->program);
    }

    // Read by the script that checks the files with a parser of its own.
    printf("programs=%s\ndesktop=%s\ninstall=%s\n", programs.c_str(), desktop.c_str(), install.c_str());
    RemoveTree(root);
    if (g_failures)
        return 1;
    printf("Windows-side checks of %s passed\n", test->name);
    return 0;
}
